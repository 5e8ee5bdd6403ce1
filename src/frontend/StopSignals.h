#pragma once
#include <string>

// The signals that would end the program at once, taken as requests instead: their handlers only
// note the signal and wake whoever waits for input; the work is done on the main thread where it
// is safe, between two commands. A signal that comes while a command runs takes effect when the
// command is done, and one that comes again while the program ends changes nothing.
//
// SIGHUP (the terminal closed), SIGTERM, SIGQUIT and SIGPIPE (the output is read no more) ask the
// program to stop where no one can be asked whether to save. SIGINT (Ctrl-C) is a request to stop
// only where no one types: at a terminal it ends the input for the moment, as Ctrl-D does.

// Installs the handlers; atTerminal: the commands are typed at a terminal.
void InstallStopSignals(bool atTerminal);

// The first signal that asks the program to stop, 0 while none has come.
int StopSignal();
// A Ctrl-C typed at the terminal and not yet taken; taking it clears it.
bool InterruptPending();
bool TakeInterrupt();
// Readable while a stop or a Ctrl-C waits to be taken, so that a wait for input (poll) wakes for
// it whichever thread the signal came to; -1 before the handlers are installed.
int StopSignalWakeDescriptor();

// What the handlers do, for tests that play a signal without sending one; ResetStopSignals
// forgets every signal noted.
void NoteStopSignal(int signal);
void ResetStopSignals();

// The signal's name and what it means to the user, as words for "Marovelkandis wird beendet: ..."
// ("das Terminal wurde geschlossen (SIGHUP)").
std::string StopSignalText(int signal);
