#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Object.h"

// Ordered list of texts, each with an integer tag (the class library's "object").
class TStrings : public TObject {
public:
    std::string ClassName() const override { return "TStrings"; }

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return items_.at(static_cast<size_t>(index)).text; }
    const std::string& Strings(int index) const { return (*this)[index]; }
    void Set(int index, const std::string& text);
    intptr_t Objects(int index) const { return items_.at(static_cast<size_t>(index)).object; }
    void SetObject(int index, intptr_t object);

    int Add(const std::string& text) { return Add(std::string(text)); }
    // The text moves into the list: a caller that writes many lines built for it copies none.
    virtual int Add(std::string&& text);
    int AddObject(const std::string& text, intptr_t object);
    virtual void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    void Exchange(int a, int b);
    virtual int IndexOf(const std::string& text) const;
    void Assign(const TStrings& other);
    // The same for a list that is not needed any more: its texts move over.
    void Assign(TStrings&& other);
    // Replaces the list by count texts, textOf(i) the i-th, as one change; the texts take the
    // room the list's texts had.
    template <typename TextOf>
    void AssignEach(int count, TextOf textOf) {
        items_.resize(static_cast<size_t>(count > 0 ? count : 0));
        for (size_t i = 0; i < items_.size(); ++i) {
            items_[i].text = textOf(static_cast<int>(i));
            items_[i].object = 0;
        }
        Changed();
    }
    void AddStrings(const TStrings& other);
    std::vector<std::string> ToVector() const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces the list by the lines of the text; CR LF, lone CR and lone LF each end a line.
    void SetText(const std::string& text);

    // Plain byte lines, CR LF written; false when the file cannot be read or written.
    bool LoadFromFile(const std::string& path);
    bool SaveToFile(const std::string& path) const;

    std::function<void()> OnChange;
    // Changes with every change of the texts (their number and order included). A number that
    // no other change of any list has had, so that a list copied over another one never brings
    // back a number that stood for other texts.
    std::uint64_t Changes() const { return changes_; }

protected:
    struct Item {
        std::string text;
        intptr_t object = 0;
    };
    std::vector<Item> items_;
    std::uint64_t changes_ = 0;
    void Changed();
    void InsertItem(int index, Item&& item);
};

// Equal texts when ASCII letters are compared without regard to case (names in settings files).
bool SameText(std::string_view a, std::string_view b);
// The text with a-z made upper case; every other byte as it is.
std::string UpperAscii(std::string text);
// A name as a user may type it, for comparing: lower case, with "ä", "ö", "ü", "ß" written "ae",
// "oe", "ue", "ss" (a keyboard without umlauts reaches every name).
std::string FoldName(std::string_view text);
// Equal names when folded.
bool SameName(std::string_view a, std::string_view b);

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    std::string ClassName() const override { return "TStringList"; }

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates = TDuplicates::dupAccept;
    bool CaseSensitive = false;

    using TStrings::Add;
    int Add(std::string&& text) override;
    void Insert(int index, const std::string& text) override;
    int IndexOf(const std::string& text) const override;
    // Stable sort by text (case rule as CaseSensitive).
    void Sort();

private:
    bool sorted_ = false;
    int Compare(const std::string& a, const std::string& b) const;
    // Position where text belongs in the sorted list; found tells whether an equal text is there.
    int Find(const std::string& text, bool& found) const;
};
