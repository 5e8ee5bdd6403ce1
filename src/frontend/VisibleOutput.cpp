#include "frontend/VisibleOutput.h"

#include "platform/Utf8.h"

namespace {

// Lines are passed on whole, longer stretches in pieces of about this size.
constexpr size_t kPassAt = 4096;

// "\x1B" for a byte, "\u202E" for a character beyond ASCII.
std::string Escape(bool byte, unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = byte ? "\\x" : "\\u";
    for (int shift = byte ? 4 : 12; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xF];
    return text;
}

// The bytes at the end of text that begin a character the next write completes.
size_t UnfinishedTail(std::string_view text) {
    for (size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;
        const size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? back : 0;
    }
    return 0;
}

// The bytes from pos on that are printable ASCII, or line feeds that end lines.
size_t PlainRun(std::string_view text, size_t pos, LineFeeds lineFeeds) {
    const bool lineEnds = lineFeeds == LineFeeds::EndLines;
    size_t end = pos;
    while (end < text.size() && ((text[end] >= 0x20 && text[end] < 0x7F) || (lineEnds && text[end] == '\n'))) ++end;
    return end - pos;
}

}  // namespace

std::string VisibleText(std::string_view text, LineFeeds lineFeeds) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        // Most of what is shown is printable ASCII: it passes in runs.
        const size_t plain = PlainRun(text, pos, lineFeeds);
        out.append(text.substr(pos, plain));
        pos += plain;
        if (pos == text.size()) break;
        const size_t size = utf8::CharSize(text, pos);
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (size == 1 && byte >= 0x80) {
            out += Escape(true, byte);
            ++pos;
            continue;
        }
        const size_t start = pos;
        const char32_t c = utf8::Next(text, pos);
        if (!utf8::IsControl(c)) out.append(text.substr(start, size));
        else out += Escape(c < 0x80, static_cast<unsigned>(c));
    }
    return out;
}

VisibleOutputBuffer::~VisibleOutputBuffer() { Pass(true); }

VisibleOutputBuffer::int_type VisibleOutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (c == '\n' || pending_.size() >= kPassAt) Pass(false);
    return c;
}

std::streamsize VisibleOutputBuffer::xsputn(const char* text, std::streamsize count) {
    // What was pending before holds no line end: a line end passes everything on at once.
    const std::string_view added(text, static_cast<size_t>(count));
    pending_.append(added);
    if (pending_.size() >= kPassAt || added.find('\n') != std::string_view::npos) Pass(false);
    return count;
}

int VisibleOutputBuffer::sync() {
    Pass(false);
    return target_->pubsync();
}

void VisibleOutputBuffer::Pass(bool all) {
    const size_t keep = all ? 0 : UnfinishedTail(pending_);
    const std::string shown = VisibleText(std::string_view(pending_).substr(0, pending_.size() - keep));
    target_->sputn(shown.data(), static_cast<std::streamsize>(shown.size()));
    pending_.erase(0, pending_.size() - keep);
}

VisibleOutput::VisibleOutput(std::ostream& stream) : stream_(stream), buffer_(stream.rdbuf()) {
    stream_.rdbuf(&buffer_);
}

VisibleOutput::~VisibleOutput() {
    stream_.flush();
    stream_.rdbuf(buffer_.Target());
}
