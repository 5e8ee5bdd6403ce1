#include "platform/FreeTypeFont.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "platform/Utf8.h"

#if __has_include(<ft2build.h>) && __has_include(<fontconfig/fontconfig.h>)
#define MAROVELKA_HAVE_FREETYPE 1
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string MappedFamily(const std::string& name) {
    static const std::map<std::string, std::string> kMap = {
        {"arial", "DejaVu Sans"},        {"ms sans serif", "DejaVu Sans"},  {"microsoft sans serif", "DejaVu Sans"},
        {"tahoma", "DejaVu Sans"},       {"verdana", "DejaVu Sans"},        {"segoe ui", "DejaVu Sans"},
        {"helvetica", "DejaVu Sans"},    {"system", "DejaVu Sans"},         {"ms shell dlg", "DejaVu Sans"},
        {"ms shell dlg 2", "DejaVu Sans"}, {"times new roman", "DejaVu Serif"}, {"times", "DejaVu Serif"},
        {"ms serif", "DejaVu Serif"},    {"courier new", "DejaVu Sans Mono"}, {"courier", "DejaVu Sans Mono"},
    };
    const auto it = kMap.find(Lower(name));
    return it == kMap.end() ? name : it->second;
}

#ifdef MAROVELKA_HAVE_FREETYPE

namespace {

struct FaceKey {
    std::string family;
    bool bold;
    bool italic;
    friend auto operator<=>(const FaceKey&, const FaceKey&) = default;
};

// One FreeType library and one face per family and style for the whole program; FreeType
// objects are not thread-safe, so every use holds the mutex.
class FaceCache {
public:
    static FaceCache& Instance() {
        static FaceCache* cache = new FaceCache();  // lives to the end, faces may be used from atexit
        return *cache;
    }
    std::mutex mutex;

    FT_Face Face(const TFont& font, std::string* familyOut) {
        if (!library_) return nullptr;
        const FaceKey key{MappedFamily(font.Name), font.Has(fsBold), font.Has(fsItalic)};
        auto it = faces_.find(key);
        if (it == faces_.end()) it = faces_.emplace(key, Load(key)).first;
        if (familyOut) *familyOut = it->second.family;
        return it->second.face;
    }

private:
    struct Loaded {
        FT_Face face = nullptr;
        std::string family;
    };

    FaceCache() {
        if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
        // Our own configuration, kept for the whole run, instead of fontconfig's hidden default.
        config_ = FcInitLoadConfigAndFonts();
    }

    Loaded Load(const FaceKey& key) {
        Loaded loaded;
        if (!config_) return loaded;
        FcPattern* pattern = FcPatternCreate();
        if (!pattern) return loaded;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(key.family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, key.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, key.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config_, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config_, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) return loaded;
        FcChar8* file = nullptr;
        FcChar8* family = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            if (FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &loaded.face) != 0) loaded.face = nullptr;
            if (loaded.face && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch && family) {
                loaded.family = reinterpret_cast<const char*>(family);
            }
        }
        FcPatternDestroy(match);
        return loaded;
    }

    FT_Library library_ = nullptr;
    FcConfig* config_ = nullptr;
    std::map<FaceKey, Loaded> faces_;
};

bool SetPixelHeight(FT_Face face, int height) {
    if (height < 0) return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(-height)) == 0;
    if (height == 0) height = 13;
    // A positive height is the whole cell: scale the em so that ascender + descender fit it.
    const double cellUnits = static_cast<double>(face->ascender - face->descender);
    const double em = cellUnits > 0 ? height * face->units_per_EM / cellUnits : height;
    return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(1.0, em + 0.5))) == 0;
}

}  // namespace

bool FreeTypeLayout(const TFont& font, std::string_view utf8, bool render, TUprightText& out) {
    FaceCache& cache = FaceCache::Instance();
    std::lock_guard lock(cache.mutex);
    FT_Face face = cache.Face(font, nullptr);
    if (!face || std::llabs(static_cast<long long>(font.Height)) > 2000 || !SetPixelHeight(face, font.Height)) return false;
    out = TUprightText{};
    out.ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    out.cellHeight = out.ascent + static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = utf8::Next(utf8, pos);
        const FT_Int32 flags = render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT;
        if (FT_Load_Char(face, cp, flags) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        if (render && g->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && g->bitmap.width > 0 && g->bitmap.rows > 0) {
            BlendIntoMask(out.mask, out.advance + g->bitmap_left, out.ascent - g->bitmap_top, static_cast<int>(g->bitmap.width),
                          static_cast<int>(g->bitmap.rows), g->bitmap.buffer, g->bitmap.pitch);
        }
        out.advance += static_cast<int>((g->advance.x + 32) >> 6);
    }
    return true;
}

std::string FreeTypeFamily(const TFont& font) {
    FaceCache& cache = FaceCache::Instance();
    std::lock_guard lock(cache.mutex);
    std::string family;
    return cache.Face(font, &family) ? family : std::string();
}

// fontconfig loses a few bytes of its own while parsing its configuration files; that is not ours
// to mend, so the leak checker of the sanitizer builds is told to let it pass.
extern "C" __attribute__((used, visibility("default"))) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

#else

bool FreeTypeLayout(const TFont&, std::string_view, bool, TUprightText&) { return false; }
std::string FreeTypeFamily(const TFont&) { return std::string(); }

#endif
