// The shaped button in stored forms.
#include <array>
#include <cstdint>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>

#include "components/FormProperties.h"
#include "components/IAeverButton.h"
#include "platform/FormStream.h"

namespace {

using Button = TIAeverButton;

// Value names as forms spell them, in the order of the enumerations.
constexpr std::array<const char*, 14> kButtonKindNames{"bkRect",   "bkRoundRect", "bkElliptic", "bkPoly",  "bkPolyStar",
                                                       "bkArc",    "bkDonut",     "bkUser",     "bkArrow", "bkArrow1",
                                                       "bkArrow2", "bkCross",     "bkCutRect",  "bkCross1"};
constexpr std::array<const char*, 7> k3DKindNames{"dk3D",       "dkFlatten",         "dk3dsimple", "dkFlattenSimple",
                                                  "dk3dBorder", "dk3dBorderFlatten", "dkNone"};
constexpr std::array<const char*, 4> kHAlignNames{"haLeft", "haCenter", "haRight", "haNone"};
constexpr std::array<const char*, 4> kVAlignNames{"vaTop", "vaCenter", "vaBottom", "vaNone"};
constexpr std::array<const char*, 3> kGradientKindNames{"gkNone", "gkLinear", "gkCircular"};
constexpr std::array<const char*, 3> kCaption3dKindNames{"ckSimple", "ckEmbossed", "ckPressed"};

// No window has a button of more than 1024 pixels a side; a form asking for one is damaged,
// and its face would take long to paint (a circular gradient draws one disc per band).
constexpr int kMaxStoredButtonSize = 1024;
// Glyph strips and gradient sources are small; a side beyond this is a damaged block.
constexpr uint32_t kMaxStoredBitmapSide = 8192;

// ---- bitmap blocks ----
// Width and height as 32-bit little-endian numbers, then the rows from the top, each pixel
// three bytes in the order blue, green, red.

void PutU32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

uint32_t GetU32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

std::string EncodeBitmap(const TBitmap& bitmap) {
    std::string bytes;
    PutU32(bytes, static_cast<uint32_t>(bitmap.Width()));
    PutU32(bytes, static_cast<uint32_t>(bitmap.Height()));
    const size_t rowBytes = static_cast<size_t>(bitmap.Width()) * 3;
    for (int y = 0; y < bitmap.Height(); ++y) bytes.append(reinterpret_cast<const char*>(bitmap.ScanLine(y)), rowBytes);
    return bytes;
}

TBitmap DecodeBitmap(const std::string& property, const std::string& bytes) {
    if (bytes.size() < 8) RefuseStoredValue(property, "Bilddaten unvollständig");
    const uint32_t width = GetU32(bytes, 0), height = GetU32(bytes, 4);
    if (width < 1 || height < 1 || width > kMaxStoredBitmapSide || height > kMaxStoredBitmapSide)
        RefuseStoredValue(property, "Bildgröße " + std::to_string(width) + " x " + std::to_string(height) + " unzulässig");
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t expected = 8 + rowBytes * height;
    if (bytes.size() < expected) RefuseStoredValue(property, "Bilddaten unvollständig");
    if (bytes.size() > expected) RefuseStoredValue(property, "Bilddaten länger als das Bild");
    TBitmap bitmap(static_cast<int>(width), static_cast<int>(height));
    for (uint32_t y = 0; y < height; ++y)
        bytes.copy(reinterpret_cast<char*>(bitmap.ScanLine(static_cast<int>(y))), rowBytes, 8 + rowBytes * y);
    return bitmap;
}

// The button's properties, its glyph strips and gradient source included.
class ButtonFormProperties : public FormProperties<Button> {
public:
    using FormProperties::FormProperties;

    // Written only when the picture is not empty.
    void Picture(const std::string& name, const TBitmap& (Button::*get)() const, void (Button::*set)(const TBitmap*)) {
        Button& b = component_;
        filer_.DefineBinaryProperty(
            name,
            [&b, set, name](TMemoryStream& s) {
                const TBitmap picture = DecodeBitmap(name, s.DataString());
                (b.*set)(&picture);
            },
            [&b, get](TMemoryStream& s) { s.Write(EncodeBitmap((b.*get)())); }, !(b.*get)().Empty());
    }
};

}  // namespace

void TIAeverButton::DefineProperties(TFiler& filer) {
    TButton::DefineProperties(filer);
    ButtonFormProperties p(*this, filer);
    p.Integer("CaptionTop", &Button::CaptionTop, &Button::SetCaptionTop, 5);
    p.Integer("CaptionLeft", &Button::CaptionLeft, &Button::SetCaptionLeft, 5);
    p.Integer("CaptionAngle", &Button::CaptionAngle, &Button::SetCaptionAngle, std::nullopt);
    p.Colour("ButtonColor", &Button::ButtonColor, &Button::SetButtoncolor, clBtnFace);
    p.Enumeration("ButtonKind", &Button::ButtonKind, &Button::SetButtonKind, kButtonKindNames, std::optional(bkRect));
    p.Enumeration("Button3DKind", &Button::Button3DKind, &Button::SetButton3DKind, k3DKindNames, std::optional(dk3D));
    p.Integer("ButtonDepth", &Button::ButtonDepth, &Button::SetButtonDepth, 2);
    p.Enumeration("CaptionHAlign", &Button::CaptionHAlign, &Button::SetCaptionHAlign, kHAlignNames, std::optional(haCenter));
    p.Enumeration("CaptionVAlign", &Button::CaptionVAlign, &Button::SetCaptionVAlign, kVAlignNames, std::optional(vaCenter));
    p.Picture("MainBitmap", &Button::MainBitmap, &Button::SetMainBitmap);
    p.Integer("MainBitmapGlyphs", &Button::MainBitmapGlyphs, &Button::SetMainBitmapGlyphs, 1, {1, 4});
    p.Picture("OnEnterBitmap", &Button::OnEnterBitmap, &Button::SetOnEnterBitmap);
    p.Integer("OnEnterGlyphs", &Button::OnEnterGlyphs, &Button::SetOnEnterGlyphs, 1, kAtLeastOne);
    p.Integer("OnEnterInterval", &Button::OnEnterInterval, &Button::SetOnEnterInterval, 40);
    p.Picture("OnExitBitmap", &Button::OnExitBitmap, &Button::SetOnExitBitmap);
    p.Integer("OnExitGlyphs", &Button::OnExitGlyphs, &Button::SetOnExitGlyphs, 1, kAtLeastOne);
    p.Integer("OnExitInterval", &Button::OnExitInterval, &Button::SetOnExitInterval, 40);
    p.Picture("OnClickBitmap", &Button::OnClickBitmap, &Button::SetOnClickBitmap);
    p.Integer("OnClickGlyphs", &Button::OnClickGlyphs, &Button::SetOnClickGlyphs, 1, kAtLeastOne);
    p.Integer("OnClickInterval", &Button::OnClickInterval, &Button::SetOnClickInterval, 40);
    p.Boolean("Transparent", &Button::Transparent, &Button::SetTransparent, std::nullopt);
    p.Integer("PeaksNumber", &Button::PeaksNumber, &Button::SetPeaksNumber, 6, {3, 20});
    p.Integer("ButtonAngle", &Button::ButtonAngle, &Button::SetButtonAngle, std::nullopt);
    p.Integer("ButtonWidth", &Button::ButtonWidth, &Button::SetButtonWidth, std::nullopt, {0, kMaxStoredButtonSize});
    p.Integer("ButtonHeight", &Button::ButtonHeight, &Button::SetButtonHeight, std::nullopt, {0, kMaxStoredButtonSize});
    p.Integer("BitmapTop", &Button::BitmapTop, &Button::SetBitmapTop, 5);
    p.Integer("BitmapLeft", &Button::BitmapLeft, &Button::SetBitmapLeft, 5);
    p.Enumeration("BitmapHAlign", &Button::BitmapHAlign, &Button::SetBitmapHAlign, kHAlignNames, std::optional(haLeft));
    p.Enumeration("BitmapVAlign", &Button::BitmapVAlign, &Button::SetBitmapVAlign, kVAlignNames, std::optional(vaTop));
    p.Text("StringButtonRegion", &Button::StringButtonRegion, &Button::SetStringButtonRegion);
    p.Boolean("UserRGNAUTO", &Button::UserRGNAUTO, &Button::SetUserRGNAUTO, std::nullopt);
    p.Integer("RotationPointX", &Button::RotationPointX, &Button::SetRotationPointX, std::nullopt);
    p.Integer("RotationPointY", &Button::RotationPointY, &Button::SetRotationPointY, std::nullopt);
    p.Boolean("RotationCenterFixed", &Button::RotationCenterFixed, &Button::SetRotationCenterFixed, false);
    p.Boolean("Rotated", &Button::Rotated, &Button::SetRotated, std::nullopt);
    p.Integer("RotatedTime", &Button::RotatedTime, &Button::SetRotatedTime, 40, kNotNegative);
    p.Integer("RotatedAngle", &Button::RotatedAngle, &Button::SetRotatedAngle, 40, {-1799, 1799});
    p.Boolean("CaptionFixed", &Button::CaptionFixed, &Button::SetCaptionFixed, std::nullopt);
    p.Colour("ButtonColor1", &Button::ButtonColor1, &Button::SetButtonColor1, clBtnShadow);
    p.Enumeration("GradientKind", &Button::GradientKind, &Button::SetGradientKind, kGradientKindNames, std::optional(gkNone));
    p.Integer("GradientAngle", &Button::GradientAngle, &Button::SetGradientAngle, 450);
    p.Boolean("GradientFixed", &Button::GradientFixed, &Button::SetGradientFixed, std::nullopt);
    p.Picture("GradientBitmap", &Button::GradientBitmap, &Button::SetGradientBitmap);
    p.Integer("GradientBitmapLine", &Button::GradientBitmapLine, &Button::SetGradientBitmapLine, std::nullopt, kNotNegative);
    p.Enumeration("Caption3dKind", &Button::Caption3dKind, &Button::SetCaption3dKind, kCaption3dKindNames,
                  std::optional<TIACaption3dKind>());
    p.Float("RadiusRatio", &Button::RadiusRatio, &Button::SetRadiusRatio, 0.0, 1.0);
    p.Float("ArcAngle", &Button::ArcAngle, &Button::SetArcAngle, 0.01, 2 * std::numbers::pi);
    p.Boolean("CustomDraw", &Button::CustomDraw, &Button::SetCustomDraw, false);
    p.Boolean("ShowFocusRGN", &Button::ShowFocusRGN, &Button::SetShowFocusRGN, true);
}
