#include "platform/Clipboard.h"

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

bool TClipboard::Open() {
    if (open_) return false;
    open_ = true;
    return true;
}

void TClipboard::Empty() {
    if (open_) blocks_.clear();
}

void TClipboard::SetData(unsigned format, std::string block) {
    if (open_) blocks_[format] = std::move(block);
}

std::optional<std::string> TClipboard::GetData(unsigned format) const {
    if (!open_) return std::nullopt;
    auto it = blocks_.find(format);
    if (it == blocks_.end()) return std::nullopt;
    return it->second;
}
