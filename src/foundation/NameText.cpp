#include "foundation/NameText.h"

#include "foundation/Conversions.h"
#include "foundation/MessageBoxes.h"
#include "foundation/Texts.h"
#include "platform/Utf8.h"

std::string CutNameQuietly(const std::string& name) {
    if (utf8::Length(name) <= static_cast<size_t>(kMaxNameLength)) return name;
    return utf8::Cut(name, kMaxNameLength);
}

void TellNameCut() { ShowMsg(1, "Name wurde auf " + IntToStr(kMaxNameLength) + " gekürzt"); }

std::string CutName(const std::string& name) {
    std::string cut = CutNameQuietly(name);
    if (cut.size() != name.size()) TellNameCut();
    return cut;
}

bool IsPlainText(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = utf8::Next(text, pos);
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    }
    return true;
}

bool IsTypedText(std::string_view text) {
    for (size_t pos = 0; pos < text.size();)
        if (utf8::IsControl(utf8::Next(text, pos))) return false;
    return true;
}

std::string TypedTextProblem(const std::string& what, std::string_view text) {
    return IsTypedText(text) ? std::string() : what + " enthält Zeichen, die kein Text sind";
}

std::string TrimName(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

int DefaultParticipantNumber(const std::string& name) {
    for (int word : {2, 6, 16}) {
        const std::string prefix = lngText(word) + " ";
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string number = name.substr(prefix.size());
        if (number.size() > 6 || number[0] == '0' || number.find_first_not_of("0123456789") != std::string::npos) continue;
        return ToInt(number);
    }
    return 0;
}
