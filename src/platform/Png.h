#pragma once
#include <string>

#include "platform/Bitmap.h"

// Writes the bitmap as an 8-bit RGB PNG file. The file is written beside the target under a
// temporary name, flushed to disk and renamed over it, so a failed write never leaves a broken
// or half-replaced file. False (and the previous file untouched) when any step fails.
bool SavePng(const TBitmap& bitmap, const std::string& path);
