#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Streams.h"

class TComponent;
class TReader;
class TWriter;

// A stored form that cannot be read: its text says what and where.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Our own readable container for form resources. A component is stored as
//
//   object Name: TClassName
//     Count = 5
//     Bytes = {0200 02}
//     Items = (
//       0 0 'Nr'
//     )
//     Kind = bkRoundRect
//     Ratio = 0.5
//   end
//
// Values are integers, texts in single quotes ('' for a quote, #n for the character n), byte
// blocks in hexadecimal between braces, lists of values between parentheses, names (of
// enumeration values, True and False) and decimal numbers that read back to the same double.
class TFiler {
public:
    virtual ~TFiler() = default;
    using ReadProc = std::function<void(TReader&)>;
    using WriteProc = std::function<void(TWriter&)>;
    using ReadBytesProc = std::function<void(TMemoryStream&)>;
    using WriteBytesProc = std::function<void(TMemoryStream&)>;
    // A property made of values; written only when hasData.
    virtual void DefineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) = 0;
    // A property that is a plain byte block.
    virtual void DefineBinaryProperty(const std::string& name, ReadBytesProc read, WriteBytesProc write, bool hasData) = 0;
};

class TWriter {
public:
    void WriteInteger(int64_t value);
    void WriteString(const std::string& text);
    void WriteIdent(const std::string& name);
    // The shortest decimal text that reads back to exactly this value.
    void WriteFloat(double value);
    void WriteListBegin();
    void WriteListEnd();
    // Starts a new line inside a list, so that each item stands on its own line.
    void NextItem();
    const std::string& Text() const { return out_; }

private:
    friend class ComponentWriter;
    void Separate();
    std::string out_;
    int depth_ = 1;
    bool lineStart_ = false;
};

class TReader {
public:
    explicit TReader(std::string_view text) : text_(text) {}
    int64_t ReadInteger();
    std::string ReadString();
    std::string ReadIdent() { return ReadName(); }
    // A finite decimal number.
    double ReadFloat();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList();

private:
    friend class ComponentReader;
    friend bool ReadComponentText(const std::string& text, TComponent& component, std::string& error);
    void SkipBlanks();
    [[noreturn]] void Fail(const std::string& what) const;
    bool Peek(char c);
    std::string ReadName();
    std::string ReadBytes();
    bool AtEnd();

    std::string_view text_;
    size_t pos_ = 0;
};

// The component's defined properties in the container text.
std::string WriteComponentText(TComponent& component);
// Reads the properties in the order stored, then runs Loaded. False with a German message
// when the text cannot be read; the component may then hold what was read before the fault.
bool ReadComponentText(const std::string& text, TComponent& component, std::string& error);
