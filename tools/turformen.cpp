// Writes the shipped catalogue of tournament forms, "TurFormen.dat", plain lines with CR LF.
#include <cstdio>
#include <string>

#include "dialogs/FormGenerators.h"
#include "foundation/files/Dateihandling.h"

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "TurFormen.dat";
    Dateihandling file;
    if (!file.Open(path, "W", false)) {
        std::fprintf(stderr, "%s kann nicht geschrieben werden\n", path.c_str());
        return 1;
    }
    for (const std::string& line : FormFileLines(FormCatalogue())) file.WriteLine(line);
    if (!file.Close()) {
        std::fprintf(stderr, "%s kann nicht geschrieben werden\n", path.c_str());
        return 1;
    }
    return 0;
}
