#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Colors.h"

class TCanvas;

enum class TPixelFormat { pf24bit };

// An in-memory picture of 24 bits per pixel. A scan line holds Width pixels of three bytes in
// the order blue, green, red, as device-independent bitmaps do; new pixels are white.
class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    TPixelFormat PixelFormat = TPixelFormat::pf24bit;

    // Negative sizes count as 0; the kept part of the picture stays where it was.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;

    // Colours as 0x00BBGGRR; reading outside the picture gives black, writing there does nothing.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor rgb);

    TCanvas& Canvas();

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
    std::unique_ptr<TCanvas> canvas_;
};
