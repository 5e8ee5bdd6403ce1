#include "platform/Colors.h"

namespace {

constexpr TColor kSystemColors[kSystemColorCount] = {
    0xC0C0C0, 0x808000, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xE1FFFF,
};

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color < 0) {
        const uint32_t index = static_cast<uint32_t>(color) & 0x7FFFFFFFu;
        return index < static_cast<uint32_t>(kSystemColorCount) ? kSystemColors[index] : clBlack;
    }
    return color & 0xFFFFFF;
}
