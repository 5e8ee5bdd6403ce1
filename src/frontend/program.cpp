// Program entry of the terminal front end.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "frontend/Program.h"
#include "frontend/TerminalOut.h"
#include "frontend/VisibleOutput.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // Every line the program prints, from the window's output to a message before it starts,
    // reaches the terminal through here.
    VisibleOutput output(std::cout), errors(std::cerr);
    try {
        return RunProgram(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        TerminalOut(std::cerr) << "Fehler: Marovelkandis wurde durch einen inneren Fehler beendet: "
                               << std::string_view(e.what()) << "\n" << std::flush;
    } catch (...) {
        std::cerr << "Fehler: Marovelkandis wurde durch einen inneren Fehler beendet." << std::endl;
    }
    return 1;
}
