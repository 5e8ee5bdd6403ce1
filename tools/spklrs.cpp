// Writes the pairing table file that ships beside the program:
//   tool_spklrs data/Spklrs.dat
#include <cstdio>

#include "engine/PairingSchedule.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s <Zieldatei>\n", argv[0]);
        return 2;
    }
    if (!WritePairingFile(argv[1])) {
        std::fprintf(stderr, "%s konnte nicht geschrieben werden\n", argv[1]);
        return 1;
    }
    std::printf("%s: Gruppen von 2 bis %d\n", argv[1], LargestScheduledSize());
    return 0;
}
