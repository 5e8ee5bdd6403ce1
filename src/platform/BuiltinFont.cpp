#include "platform/BuiltinFont.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Utf8.h"

TUprightText BuiltinLayout(const TFont& font, std::string_view utf8, bool render) {
    TUprightText out;
    // A height read from a stored form may be anything; no letter is drawn taller than this.
    constexpr int64_t kTallest = 2000;
    const int64_t height = font.Height == 0 ? 13 : std::llabs(static_cast<int64_t>(font.Height));
    out.cellHeight = static_cast<int>(std::min(height, kTallest));
    out.ascent = out.cellHeight - out.cellHeight / 4;
    const int advance = out.cellHeight / 2 + (font.Has(fsBold) ? 1 : 0);
    const int boxWidth = advance - 1;
    const int boxHeight = out.ascent - 1;
    std::vector<uint8_t> box(render ? static_cast<size_t>(std::max(boxWidth, 0)) * static_cast<size_t>(std::max(boxHeight, 0)) : 0,
                             255);
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
