// The edit fields in stored forms.
#include <array>
#include <optional>
#include <string>

#include "components/FormProperties.h"
#include "components/umEdit.h"
#include "platform/Utf8.h"

namespace {

constexpr std::array<const char*, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<const char*, 3> kCharCaseNames{"ecNormal", "ecUpperCase", "ecLowerCase"};
constexpr std::array<const char*, 3> kKindNames{"neDec", "neHex", "neBin"};

// The password character is stored as a text of one character; #0 stands for none.
char32_t ReadPasswordChar(TReader& reader) {
    const std::string text = reader.ReadString();
    if (!utf8::IsValid(text) || utf8::Length(text) != 1) RefuseStoredValue("PasswordChar", "genau ein Zeichen erwartet");
    size_t pos = 0;
    return utf8::Next(text, pos);
}

std::string PasswordCharText(char32_t c) {
    std::string text;
    utf8::Append(text, c);
    return text;
}

}  // namespace

void TumEdit::DefineProperties(TFiler& filer) {
    TEdit::DefineProperties(filer);
    FormProperties<TumEdit> p(*this, filer);
    p.Enumeration("Alignment", &TumEdit::Alignment, &TumEdit::SetAlignment, kAlignmentNames,
                  std::optional(TAlignment::taLeftJustify));
    p.Enumeration("CharCase", &TumEdit::CharCase, &TumEdit::SetCharCase, kCharCaseNames,
                  std::optional(TEditCharCase::ecNormal));
    filer.DefineProperty(
        "PasswordChar", [this](TReader& r) { PasswordChar = ReadPasswordChar(r); },
        [this](TWriter& w) { w.WriteString(PasswordCharText(PasswordChar)); }, PasswordChar != 0);
}

void TumValidEdit::DefineProperties(TFiler& filer) {
    TumEdit::DefineProperties(filer);
    FormProperties<TumValidEdit> p(*this, filer);
    p.Text(
        "ValidChars", [](TumValidEdit& e) -> const std::string& { return e.ValidChars; },
        [](TumValidEdit& e, const std::string& v) { e.ValidChars = v; }, std::string());
    p.Boolean(
        "ValidateChars", [](TumValidEdit& e) { return e.ValidateChars; }, [](TumValidEdit& e, bool v) { e.ValidateChars = v; },
        true);
}

void TumNumberEdit::DefineProperties(TFiler& filer) {
    TumEdit::DefineProperties(filer);
    FormProperties<TumNumberEdit> p(*this, filer);
    p.Enumeration("Kind", &TumNumberEdit::Kind, &TumNumberEdit::SetKind, kKindNames, std::optional(neDec));
    p.Integer("Value", &TumNumberEdit::Value, &TumNumberEdit::SetValue, std::nullopt);
    // A negative limit would be ignored by the field; the form is damaged.
    p.Integer("MaxValue", &TumNumberEdit::MaxValue, &TumNumberEdit::SetMaxValue, std::nullopt, kNotNegative);
}
