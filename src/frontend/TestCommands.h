#pragma once

class CommandTable;

// Commands that only the end-to-end tests see (MAROVELKA_TEST=1): "testdialog" shows a small
// dialog and "testfrage" asks a yes/no question, so that the dialog host and the answering of
// questions can be tried end to end without depending on any operation of the program;
// "testdatentraeger" makes the disk appear full, so that what a full disk does to saving and
// adding can be seen end to end without one; "testuhr" moves the fixed clock on, so that the
// autosave of a later minute comes between two commands of a script.
void AddTestCommands(CommandTable& table);
