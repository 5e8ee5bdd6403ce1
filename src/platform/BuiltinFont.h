#pragma once
#include <string_view>

#include "platform/TextLayout.h"

// The deterministic test face described with kTestFontName.
TUprightText BuiltinLayout(const TFont& font, std::string_view utf8, bool render);
