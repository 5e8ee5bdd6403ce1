#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/Colors.h"
#include "platform/FormStream.h"

// Published properties of a component in stored forms. Each is written when it differs from
// the value a form leaves out (the stream default; some are always written) and read back
// through its setter while the component is loading, so the setters' loading rules hold for
// forms as for the designer. A value the component cannot take stops the reading with a
// German message that names the property.

struct IntRange {
    int64_t min = INT32_MIN;
    int64_t max = INT32_MAX;
};
constexpr IntRange kAtLeastOne{1, INT32_MAX};
constexpr IntRange kNotNegative{0, INT32_MAX};

[[noreturn]] void RefuseStoredValue(const std::string& property, const std::string& what);
int ReadInRange(TReader& reader, const std::string& property, IntRange range);
// Colours are stored as their number; the unsigned spelling of a system colour is taken too.
TColor ReadColour(TReader& reader, const std::string& property);
// The index of a value name in names.
int ReadValueName(TReader& reader, const std::string& property, const char* const* names, size_t count);

// Defines one property after the other with the filer. Getters and setters are member
// functions (or callables) of C. The procedures handed over outlive this object (a reader
// calls them later), so they hold the component, never the definer.
template <class C>
class FormProperties {
public:
    FormProperties(C& component, TFiler& filer) : component_(component), filer_(filer) {}

    // Written always when streamDefault is empty, otherwise when the value differs from it.
    template <typename Get, typename Set>
    void Integer(const std::string& name, Get get, Set set, std::optional<int> streamDefault, IntRange range = {}) {
        C& c = component_;
        filer_.DefineProperty(
            name, [&c, set, name, range](TReader& r) { std::invoke(set, c, ReadInRange(r, name, range)); },
            [&c, get](TWriter& w) { w.WriteInteger(std::invoke(get, c)); }, Differs<int>(std::invoke(get, c), streamDefault));
    }

    template <typename Get, typename Set>
    void Colour(const std::string& name, Get get, Set set, TColor streamDefault) {
        C& c = component_;
        filer_.DefineProperty(
            name, [&c, set, name](TReader& r) { std::invoke(set, c, ReadColour(r, name)); },
            [&c, get](TWriter& w) { w.WriteInteger(std::invoke(get, c)); }, std::invoke(get, c) != streamDefault);
    }

    // Stored by the names of its values, in the order of the enumeration.
    template <typename E, size_t N, typename Get, typename Set>
    void Enumeration(const std::string& name, Get get, Set set, const std::array<const char*, N>& names,
                     std::optional<E> streamDefault) {
        C& c = component_;
        filer_.DefineProperty(
            name,
            [&c, set, name, &names](TReader& r) { std::invoke(set, c, static_cast<E>(ReadValueName(r, name, names.data(), N))); },
            [&c, get, &names](TWriter& w) { w.WriteIdent(names.at(static_cast<size_t>(std::invoke(get, c)))); },
            Differs<E>(std::invoke(get, c), streamDefault));
    }

    template <typename Get, typename Set>
    void Boolean(const std::string& name, Get get, Set set, std::optional<bool> streamDefault) {
        static constexpr std::array<const char*, 2> kNames{"False", "True"};
        C& c = component_;
        filer_.DefineProperty(
            name, [&c, set, name](TReader& r) { std::invoke(set, c, ReadValueName(r, name, kNames.data(), 2) != 0); },
            [&c, get](TWriter& w) { w.WriteIdent(kNames[std::invoke(get, c) ? 1 : 0]); },
            Differs<bool>(std::invoke(get, c), streamDefault));
    }

    // Always written.
    template <typename Get, typename Set>
    void Float(const std::string& name, Get get, Set set, double min, double max) {
        C& c = component_;
        filer_.DefineProperty(
            name,
            [&c, set, name, min, max](TReader& r) {
                const double value = r.ReadFloat();
                if (!(value >= min && value <= max)) RefuseStoredValue(name, "Wert außerhalb des zulässigen Bereichs");
                std::invoke(set, c, value);
            },
            [&c, get](TWriter& w) { w.WriteFloat(std::invoke(get, c)); }, true);
    }

    // Written always when streamDefault is empty, otherwise when the text differs from it.
    template <typename Get, typename Set>
    void Text(const std::string& name, Get get, Set set, std::optional<std::string> streamDefault = std::nullopt) {
        C& c = component_;
        filer_.DefineProperty(
            name, [&c, set](TReader& r) { std::invoke(set, c, r.ReadString()); },
            [&c, get](TWriter& w) { w.WriteString(std::invoke(get, c)); },
            Differs<std::string>(std::invoke(get, c), streamDefault));
    }

protected:
    template <typename V>
    static bool Differs(const V& value, const std::optional<V>& streamDefault) {
        return !streamDefault || value != *streamDefault;
    }

    C& component_;
    TFiler& filer_;
};
