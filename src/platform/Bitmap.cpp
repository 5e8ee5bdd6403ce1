#include "platform/Bitmap.h"

#include <algorithm>

#include "platform/Canvas.h"

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) : PixelFormat(other.PixelFormat), width_(other.width_), height_(other.height_), pixels_(other.pixels_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        PixelFormat = other.PixelFormat;
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = other.pixels_;
    }
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<uint8_t> resized(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0xFF);
    const int keepW = std::min(width, width_), keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y) {
        std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ * 3, keepW * 3,
                    resized.begin() + static_cast<std::ptrdiff_t>(y) * width * 3);
    }
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
}

uint8_t* TBitmap::ScanLine(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_) * 3; }

const uint8_t* TBitmap::ScanLine(int y) const {
    return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_) * 3;
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
    const uint8_t* p = ScanLine(y) + x * 3;
    return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor rgb) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* p = ScanLine(y) + x * 3;
    p[0] = static_cast<uint8_t>(GetBValue(rgb));
    p[1] = static_cast<uint8_t>(GetGValue(rgb));
    p[2] = static_cast<uint8_t>(GetRValue(rgb));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
    return *canvas_;
}
