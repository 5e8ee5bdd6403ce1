#include "platform/BuiltinFont.h"

#include <cstdlib>
#include <vector>

#include "platform/Utf8.h"

TUprightText BuiltinLayout(const TFont& font, std::string_view utf8, bool render) {
    TUprightText out;
    out.cellHeight = font.Height == 0 ? 13 : std::abs(font.Height);
    out.ascent = out.cellHeight - out.cellHeight / 4;
    const int advance = out.cellHeight / 2 + (font.Has(fsBold) ? 1 : 0);
    const int boxWidth = advance - 1;
    const int boxHeight = out.ascent - 1;
    std::vector<uint8_t> box(static_cast<size_t>(std::max(boxWidth, 0) * std::max(boxHeight, 0)), 255);
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = utf8::Next(utf8, pos);
        if (render && cp != U' ' && boxWidth > 0 && boxHeight > 0) {
            BlendIntoMask(out.mask, out.advance, 1, boxWidth, boxHeight, box.data(), boxWidth);
        }
        out.advance += advance;
    }
    return out;
}
