// Reads arbitrary text as a stored display-grid form: no crash, no hang, no unbounded memory,
// and whatever was read writes back and reads again; after one such trip the text is stable
// (the first write may drop places beyond the grid's counts).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/Aligrid.h"
#include "platform/FormStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TStringAlignGrid grid;
    std::string error;
    if (!ReadComponentText(text, grid, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    const std::string written = WriteComponentText(grid);
    TStringAlignGrid again;
    if (!ReadComponentText(written, again, error)) std::abort();
    const std::string normal = WriteComponentText(again);
    TStringAlignGrid third;
    if (!ReadComponentText(normal, third, error)) std::abort();
    if (WriteComponentText(third) != normal) std::abort();
    return 0;
}
