#include "components/FormProperties.h"

#include <stdexcept>

void RefuseStoredValue(const std::string& property, const std::string& what) {
    // The form reader adds where in the text the value stands.
    throw std::out_of_range(property + ": " + what);
}

int ReadInRange(TReader& reader, const std::string& property, IntRange range) {
    const int64_t value = reader.ReadInteger();
    if (value < range.min || value > range.max)
        RefuseStoredValue(property, std::to_string(value) + " liegt außerhalb von " + std::to_string(range.min) + " bis " +
                                        std::to_string(range.max));
    return static_cast<int>(value);
}

TColor ReadColour(TReader& reader, const std::string& property) {
    const int64_t value = reader.ReadInteger();
    if (value < INT32_MIN || value > UINT32_MAX) RefuseStoredValue(property, std::to_string(value) + " ist keine Farbe");
    return static_cast<TColor>(static_cast<uint32_t>(value));
}

int ReadValueName(TReader& reader, const std::string& property, const char* const* names, size_t count) {
    const std::string name = reader.ReadIdent();
    for (size_t i = 0; i < count; ++i)
        if (name == names[i]) return static_cast<int>(i);
    RefuseStoredValue(property, "Wert \"" + name + "\" unbekannt");
}
