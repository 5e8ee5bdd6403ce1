// Reads arbitrary text as a stored form of each kind of edit field: no crash, no hang, no
// unbounded memory, a message for every refused form, and whatever was read writes back and
// reads again to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/umEdit.h"
#include "platform/FormStream.h"

namespace {

template <class Field>
void ReadAsForm(const std::string& text) {
    std::string written;
    {
        Field field;
        std::string error;
        if (!ReadComponentText(text, field, error)) {
            if (error.empty()) std::abort();
            return;
        }
        written = WriteComponentText(field);
    }
    Field again;
    std::string error;
    if (!ReadComponentText(written, again, error)) std::abort();
    if (WriteComponentText(again) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadAsForm<TumEdit>(text);
    ReadAsForm<TumValidEdit>(text);
    ReadAsForm<TumNumberEdit>(text);
    return 0;
}
