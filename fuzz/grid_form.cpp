// Reads arbitrary text as a stored display-grid form: no crash, no hang, no unbounded memory,
// and whatever was read writes back and reads again.
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
    if (WriteComponentText(again) != written) std::abort();
    return 0;
}
