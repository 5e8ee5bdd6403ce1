#include "frontend/TerminalOut.h"

#include "frontend/VisibleOutput.h"

TerminalOut& TerminalOut::operator<<(std::string_view value) {
    if (value.find('\n') == std::string_view::npos) stream_ << value;
    else stream_ << VisibleText(value, LineFeeds::Escaped);
    return *this;
}
