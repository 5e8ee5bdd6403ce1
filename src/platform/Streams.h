#pragma once
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

// Bytes in memory with a read and write position, as the class library's memory stream.
class TMemoryStream {
public:
    size_t Size() const { return data_.size(); }
    size_t Position() const { return position_; }
    void SetPosition(size_t position) { position_ = std::min(position, data_.size()); }
    // Writes at the position, overwriting and growing as needed.
    void Write(std::string_view bytes) {
        if (position_ + bytes.size() > data_.size()) data_.resize(position_ + bytes.size());
        std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += bytes.size();
    }
    // Up to count bytes from the position.
    std::string Read(size_t count) {
        std::string out = data_.substr(position_, count);
        position_ += out.size();
        return out;
    }
    const std::string& DataString() const { return data_; }
    void Clear() {
        data_.clear();
        position_ = 0;
    }

private:
    std::string data_;
    size_t position_ = 0;
};
