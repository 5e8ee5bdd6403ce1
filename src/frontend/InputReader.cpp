#include "frontend/InputReader.h"

#include <istream>

#include "foundation/Conversions.h"
#include "frontend/StopSignals.h"
#include "platform/Encoding.h"
#include "platform/Utf8.h"

int StreamSource::Get() {
    std::streambuf* buffer = in_.rdbuf();
    const auto c = buffer ? buffer->sbumpc() : std::char_traits<char>::eof();
    return c == std::char_traits<char>::eof() ? -1 : static_cast<unsigned char>(c);
}

InputReader::InputReader(std::istream& in) : owned_(std::make_unique<StreamSource>(in)), source_(*owned_) {}

std::optional<InputLine> InputReader::Next() {
    if (StopSignal() != 0) ended_ = true;
    if (ended_) return std::nullopt;
    InputLine line;
    std::string bytes;
    bool any = false;
    for (;;) {
        const int c = source_.Get();
        if (c < 0) {
            // A terminal's end of input is the user's Ctrl-D: the next read waits for more.
            const bool stopped = StopSignal() != 0;
            ended_ = stopped || !source_.Resumes();
            if (!any || stopped || source_.Interrupted()) return std::nullopt;
            break;
        }
        any = true;
        if (c == '\n') break;
        ++line.bytes;
        // A line beyond the limit is counted to its end, not kept.
        if (bytes.size() < kMaxLineBytes) bytes += static_cast<char>(c);
    }
    if (!bytes.empty() && bytes.back() == '\r' && line.bytes <= kMaxLineBytes) {
        bytes.pop_back();
        --line.bytes;
    }
    line.number = ++number_;
    line.tooLong = line.bytes > kMaxLineBytes;
    if (line.tooLong) return line;
    line.recoded = !utf8::IsValid(bytes);
    line.text = line.recoded ? encoding::FromFileBytes(bytes) : std::move(bytes);
    return line;
}

std::string InputLineProblem(const InputLine& line) {
    if (line.tooLong)
        return "Zeile " + IntToStr(line.number) + " ist zu lang (" + IntToStr(static_cast<long long>(line.bytes)) +
               " Bytes, höchstens " + IntToStr(static_cast<long long>(InputReader::kMaxLineBytes)) +
               ") und wird nicht ausgeführt.";
    if (line.recoded)
        return "Zeile " + IntToStr(line.number) + " ist kein gültiges UTF-8; sie wird als Windows-1252 gelesen: " +
               "„" + utf8::Cut(line.text, 60) + "“";
    return {};
}
