#include "platform/FormStream.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

#include "platform/Controls.h"

// ---- writing ----

void TWriter::Separate() {
    if (lineStart_) {
        out_ += '\n' + std::string(static_cast<size_t>(depth_) * 2, ' ');
        lineStart_ = false;
    } else if (!out_.empty() && out_.back() != '(') {
        out_ += ' ';
    }
}

void TWriter::WriteInteger(int64_t value) {
    Separate();
    out_ += std::to_string(value);
}

void TWriter::WriteString(const std::string& text) {
    Separate();
    bool quoted = false;
    for (unsigned char c : text) {
        if (c < 32 || c == 127) {
            if (quoted) out_ += '\'';
            quoted = false;
            out_ += '#' + std::to_string(c);
            continue;
        }
        if (!quoted) out_ += '\'';
        quoted = true;
        out_ += static_cast<char>(c);
        if (c == '\'') out_ += '\'';
    }
    if (quoted) out_ += '\'';
    if (text.empty()) out_ += "''";
}

void TWriter::WriteIdent(const std::string& name) {
    Separate();
    out_ += name;
}

void TWriter::WriteFloat(double value) {
    Separate();
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    out_.append(text, ec == std::errc() ? end : text);
}

void TWriter::WriteListBegin() {
    Separate();
    out_ += '(';
    ++depth_;
    lineStart_ = true;
}

void TWriter::WriteListEnd() {
    --depth_;
    out_ += '\n' + std::string(static_cast<size_t>(depth_) * 2, ' ') + ')';
    lineStart_ = false;
}

void TWriter::NextItem() { lineStart_ = true; }

class ComponentWriter : public TFiler {
public:
    void DefineProperty(const std::string& name, ReadProc, WriteProc write, bool hasData) override {
        if (!hasData || !write) return;
        TWriter writer;
        write(writer);
        out += "  " + name + " = " + writer.Text() + "\n";
    }
    void DefineBinaryProperty(const std::string& name, ReadBytesProc, WriteBytesProc write, bool hasData) override {
        if (!hasData || !write) return;
        TMemoryStream bytes;
        write(bytes);
        static const char* hex = "0123456789ABCDEF";
        std::string text = "{";
        for (unsigned char b : bytes.DataString()) {
            text += hex[b >> 4];
            text += hex[b & 15];
        }
        out += "  " + name + " = " + text + "}\n";
    }
    std::string out;
};

std::string WriteComponentText(TComponent& component) {
    ComponentWriter writer;
    writer.out = "object " + (component.Name.empty() ? std::string("Unbenannt") : component.Name) + ": " +
                 component.ClassName() + "\n";
    component.DefineProperties(writer);
    return writer.out + "end\n";
}

// ---- reading ----

void TReader::SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

void TReader::Fail(const std::string& what) const {
    throw EReadError("Formulardaten fehlerhaft an Stelle " + std::to_string(pos_ + 1) + ": " + what);
}

bool TReader::Peek(char c) {
    SkipBlanks();
    return pos_ < text_.size() && text_[pos_] == c;
}

bool TReader::AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
}

int64_t TReader::ReadInteger() {
    SkipBlanks();
    int64_t value = 0;
    auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
    if (ec != std::errc()) Fail("Zahl erwartet");
    pos_ = static_cast<size_t>(end - text_.data());
    return value;
}

double TReader::ReadFloat() {
    SkipBlanks();
    double value = 0;
    auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) Fail("Dezimalzahl erwartet");
    pos_ = static_cast<size_t>(end - text_.data());
    return value;
}

std::string TReader::ReadString() {
    SkipBlanks();
    std::string out;
    bool any = false;
    while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
        any = true;
        if (text_[pos_] == '#') {
            ++pos_;
            unsigned code = 0;
            auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), code);
            if (ec != std::errc() || code > 255) Fail("Zeichencode erwartet");
            pos_ = static_cast<size_t>(end - text_.data());
            out += static_cast<char>(code);
            continue;
        }
        for (++pos_;; ++pos_) {
            if (pos_ >= text_.size()) Fail("Text ohne Ende");
            if (text_[pos_] != '\'') {
                out += text_[pos_];
            } else if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                out += '\'';
                ++pos_;
            } else {
                ++pos_;
                break;
            }
        }
    }
    if (!any) Fail("Text erwartet");
    return out;
}

void TReader::ReadListBegin() {
    if (!Peek('(')) Fail("Liste erwartet");
    ++pos_;
}

bool TReader::EndOfList() { return Peek(')'); }

void TReader::ReadListEnd() {
    if (!Peek(')')) Fail("Listenende erwartet");
    ++pos_;
}

std::string TReader::ReadName() {
    SkipBlanks();
    const size_t start = pos_;
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) ++pos_;
    if (pos_ == start) Fail("Name erwartet");
    return std::string(text_.substr(start, pos_ - start));
}

std::string TReader::ReadBytes() {
    if (!Peek('{')) Fail("Byteblock erwartet");
    ++pos_;
    std::string bytes;
    int high = -1;
    for (;; ++pos_) {
        SkipBlanks();
        if (pos_ >= text_.size()) Fail("Byteblock ohne Ende");
        const char c = text_[pos_];
        if (c == '}') break;
        int nibble = -1;
        if (c >= '0' && c <= '9') nibble = c - '0';
        else if (c >= 'A' && c <= 'F') nibble = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') nibble = c - 'a' + 10;
        if (nibble < 0) Fail("Hexadezimalziffer erwartet");
        if (high < 0) {
            high = nibble;
        } else {
            bytes += static_cast<char>(high * 16 + nibble);
            high = -1;
        }
    }
    if (high >= 0) Fail("Byteblock mit halbem Byte");
    ++pos_;
    return bytes;
}

class ComponentReader : public TFiler {
public:
    void DefineProperty(const std::string& name, ReadProc read, WriteProc, bool) override {
        if (read) values[name] = std::move(read);
    }
    void DefineBinaryProperty(const std::string& name, ReadBytesProc read, WriteBytesProc, bool) override {
        if (read) blocks[name] = std::move(read);
    }

    void ReadAll(TReader& reader, TComponent& component) {
        if (reader.ReadName() != "object") reader.Fail("\"object\" erwartet");
        const std::string name = reader.ReadName();
        if (!reader.Peek(':')) reader.Fail("\":\" erwartet");
        ++reader.pos_;
        const std::string className = reader.ReadName();
        if (className != component.ClassName()) reader.Fail("Klasse " + className + " passt nicht");
        component.Name = name;
        for (std::string property = reader.ReadName(); property != "end"; property = reader.ReadName()) {
            if (!reader.Peek('=')) reader.Fail("\"=\" erwartet");
            ++reader.pos_;
            ReadProperty(reader, property);
        }
        if (!reader.AtEnd()) reader.Fail("Text nach \"end\"");
    }

    std::map<std::string, ReadProc> values;
    std::map<std::string, ReadBytesProc> blocks;

private:
    void ReadProperty(TReader& reader, const std::string& property) {
        if (auto it = blocks.find(property); it != blocks.end()) {
            TMemoryStream bytes;
            bytes.Write(reader.ReadBytes());
            bytes.SetPosition(0);
            it->second(bytes);
        } else if (auto value = values.find(property); value != values.end()) {
            value->second(reader);
        } else {
            reader.Fail("Eigenschaft " + property + " existiert nicht");
        }
    }
};

bool ReadComponentText(const std::string& text, TComponent& component, std::string& error) {
    ComponentReader filer;
    component.DefineProperties(filer);
    TReader reader(text);
    component.BeginLoading();
    try {
        filer.ReadAll(reader, component);
        component.Loaded();
        return true;
    } catch (const EReadError& e) {
        error = e.what();
    } catch (const std::exception& e) {
        // A value the component refuses (an index out of range, a count too large).
        error = "Formulardaten fehlerhaft an Stelle " + std::to_string(reader.pos_ + 1) + ": " + e.what();
    }
    component.ComponentState &= ~(csLoading | csReading);
    return false;
}
