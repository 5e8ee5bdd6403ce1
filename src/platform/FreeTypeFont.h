#pragma once
#include <string>
#include <string_view>

#include "platform/TextLayout.h"

// Text through FreeType, the face found by fontconfig for the font's name (Windows names are
// mapped to the DejaVu faces first). False when no face can be loaded.
bool FreeTypeLayout(const TFont& font, std::string_view utf8, bool render, TUprightText& out);

// The family fontconfig is asked for: "Arial", "MS Sans Serif", "Tahoma" and the other sans
// faces become "DejaVu Sans", "Times New Roman" "DejaVu Serif", "Courier New" "DejaVu Sans Mono".
std::string MappedFamily(const std::string& name);

// The family of the face file the font resolves to; empty when there is none.
std::string FreeTypeFamily(const TFont& font);
