#include "platform/Strings.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "platform/Utf8.h"

namespace {
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string UpperAscii(std::string text) {
    for (char& c : text) c = UpperAscii(c);
    return text;
}

std::string FoldName(std::string_view text) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        char32_t c = utf8::Next(text, pos);
        if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
        switch (c) {
            case U'ä': case U'Ä': out += "ae"; break;
            case U'ö': case U'Ö': out += "oe"; break;
            case U'ü': case U'Ü': out += "ue"; break;
            case U'ß': out += "ss"; break;
            default: utf8::Append(out, c);
        }
    }
    return out;
}

bool SameName(std::string_view a, std::string_view b) { return FoldName(a) == FoldName(b); }

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

void TStrings::Changed() {
    static std::atomic<std::uint64_t> lastChange{0};
    changes_ = lastChange.fetch_add(1, std::memory_order_relaxed) + 1;
    if (OnChange) OnChange();
}

void TStrings::Set(int index, const std::string& text) {
    items_.at(static_cast<size_t>(index)).text = text;
    Changed();
}

void TStrings::SetObject(int index, intptr_t object) { items_.at(static_cast<size_t>(index)).object = object; }

void TStrings::InsertItem(int index, Item&& item) {
    if (index < 0 || index > Count()) throw std::out_of_range("TStrings: list index out of bounds");
    items_.insert(items_.begin() + index, std::move(item));
    Changed();
}

int TStrings::Add(std::string&& text) {
    items_.push_back(Item{std::move(text), 0});
    Changed();
    return Count() - 1;
}

int TStrings::AddObject(const std::string& text, intptr_t object) {
    int index = Add(text);
    items_[static_cast<size_t>(index)].object = object;
    return index;
}

void TStrings::Insert(int index, const std::string& text) { InsertItem(index, Item{text, 0}); }

void TStrings::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("TStrings: list index out of bounds");
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStrings::Move(int from, int to) {
    if (from == to) return;
    if (from < 0 || from >= Count() || to < 0 || to >= Count())
        throw std::out_of_range("TStrings: list index out of bounds");
    Item item = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    Changed();
}

void TStrings::Exchange(int a, int b) {
    if (a < 0 || a >= Count() || b < 0 || b >= Count()) throw std::out_of_range("TStrings: list index out of bounds");
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    Changed();
}

int TStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = items_[static_cast<size_t>(i)].text;
        if (s.size() == text.size() &&
            std::equal(s.begin(), s.end(), text.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); }))
            return i;
    }
    return -1;
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    items_ = other.items_;
    Changed();
}

void TStrings::Assign(TStrings&& other) {
    if (&other == this) return;
    items_ = std::move(other.items_);
    other.items_.clear();
    other.Changed();
    Changed();
}

void TStrings::AddStrings(const TStrings& other) {
    std::vector<Item> copy = other.items_;
    for (auto& item : copy) InsertItem(Count(), std::move(item));
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> out;
    out.reserve(items_.size());
    for (const auto& item : items_) out.push_back(item.text);
    return out;
}

std::string TStrings::Text() const {
    std::string out;
    for (const auto& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(const std::string& text) {
    std::vector<Item> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(Item{text.substr(start, i - start), 0});
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size()) lines.push_back(Item{text.substr(start), 0});
    items_.clear();
    for (auto& line : lines) InsertItem(Count(), std::move(line));
    if (lines.empty()) Changed();
}

bool TStrings::LoadFromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    SetText(buffer.str());
    return true;
}

bool TStrings::SaveToFile(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << Text();
    out.flush();
    return static_cast<bool>(out);
}

// ---- TStringList ----

int TStringList::Compare(const std::string& a, const std::string& b) const {
    if (CaseSensitive) return a.compare(b);
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(UpperAscii(a[i]));
        unsigned char y = static_cast<unsigned char>(UpperAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int TStringList::Find(const std::string& text, bool& found) const {
    int lo = 0, hi = Count();
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (Compare(items_[static_cast<size_t>(mid)].text, text) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    found = lo < Count() && Compare(items_[static_cast<size_t>(lo)].text, text) == 0;
    return lo;
}

int TStringList::Add(std::string&& text) {
    if (!sorted_) return TStrings::Add(std::move(text));
    bool found = false;
    int index = Find(text, found);
    if (found) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) throw std::invalid_argument("TStringList: duplicates not allowed");
        // Equal texts keep the order they were added in: the new one goes behind the last equal
        // one, found by halving, so that a list of many equal texts does not take quadratic time.
        for (int high = Count(); index < high;) {
            const int middle = index + (high - index) / 2;
            if (Compare(items_[static_cast<size_t>(middle)].text, text) == 0) index = middle + 1;
            else high = middle;
        }
    }
    InsertItem(index, Item{std::move(text), 0});
    return index;
}

void TStringList::Insert(int index, const std::string& text) {
    if (sorted_) throw std::logic_error("TStringList: operation not allowed on sorted list");
    TStrings::Insert(index, text);
}

int TStringList::IndexOf(const std::string& text) const {
    if (!sorted_) {
        for (int i = 0; i < Count(); ++i)
            if (Compare(items_[static_cast<size_t>(i)].text, text) == 0) return i;
        return -1;
    }
    bool found = false;
    int index = Find(text, found);
    return found ? index : -1;
}

void TStringList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
}
