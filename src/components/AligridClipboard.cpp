#include "components/AligridClipboard.h"

bool Stream2Clipboard(const TMemoryStream& stream, unsigned format) {
    if (!Clipboard().Open()) return false;
    std::string block = stream.DataString();
    block += '\0';
    Clipboard().Empty();
    Clipboard().SetData(format, std::move(block));
    Clipboard().Close();
    return true;
}

bool Clipboard2Stream(TMemoryStream& stream, unsigned format) {
    if (!Clipboard().Open()) return false;
    const std::optional<std::string> block = Clipboard().GetData(format);
    Clipboard().Close();
    if (!block || block->empty()) return true;
    // The text ends at its 0 byte; a block without one still loses only its last byte.
    const size_t end = block->find('\0');
    stream.SetPosition(stream.Size());
    stream.Write(std::string_view(*block).substr(0, end == std::string::npos ? block->size() - 1 : end));
    return true;
}
