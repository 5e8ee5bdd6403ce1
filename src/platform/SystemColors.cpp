#include "platform/Colors.h"

namespace {

// Written as red, green, blue, so that nobody has to think about the byte order of TColor.
constexpr TColor kSystemColors[kSystemColorCount] = {
    RGBColor(192, 192, 192),  // scroll bar
    RGBColor(0, 128, 128),    // desktop: teal
    RGBColor(0, 0, 128),      // active caption: navy
    RGBColor(128, 128, 128),  // inactive caption
    RGBColor(192, 192, 192),  // menu
    RGBColor(255, 255, 255),  // window
    RGBColor(0, 0, 0),        // window frame
    RGBColor(0, 0, 0),        // menu text
    RGBColor(0, 0, 0),        // window text
    RGBColor(255, 255, 255),  // caption text
    RGBColor(192, 192, 192),  // active border
    RGBColor(192, 192, 192),  // inactive border
    RGBColor(128, 128, 128),  // application work space
    RGBColor(0, 0, 128),      // highlight: navy
    RGBColor(255, 255, 255),  // highlight text
    RGBColor(192, 192, 192),  // button face
    RGBColor(128, 128, 128),  // button shadow
    RGBColor(128, 128, 128),  // grey text
    RGBColor(0, 0, 0),        // button text
    RGBColor(192, 192, 192),  // inactive caption text
    RGBColor(255, 255, 255),  // button highlight
    RGBColor(0, 0, 0),        // 3-D dark shadow
    RGBColor(192, 192, 192),  // 3-D light: the button face, as in the classic scheme
    RGBColor(0, 0, 0),        // info text
    RGBColor(255, 255, 225),  // info background
};

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color < 0) {
        const uint32_t index = static_cast<uint32_t>(color) & 0x7FFFFFFFu;
        return index < static_cast<uint32_t>(kSystemColorCount) ? kSystemColors[index] : clBlack;
    }
    return color & 0xFFFFFF;
}
