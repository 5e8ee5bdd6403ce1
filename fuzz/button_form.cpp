// Reads arbitrary text as a stored shaped-button form: no crash, no hang, no unbounded memory,
// a message for every refused form, and whatever was read writes back and reads again; after
// one such trip the text is stable (a shape such as the arc may set its own height once).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/IAeverButton.h"
#include "platform/FormStream.h"

namespace {

std::string Reread(const std::string& text) {
    TIAeverButton button;
    std::string error;
    if (!ReadComponentText(text, button, error)) std::abort();
    return WriteComponentText(button);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string written;
    {
        TIAeverButton button;
        std::string error;
        if (!ReadComponentText(text, button, error)) {
            if (error.empty()) std::abort();
            return 0;
        }
        written = WriteComponentText(button);
    }
    const std::string normal = Reread(written);
    if (Reread(normal) != normal) std::abort();
    return 0;
}
