#pragma once
// A small tagged value for results that can be numbers of different widths,
// text or arrays: empty, an 8-bit unsigned byte, a 16-bit or 32-bit signed
// integer, a decimal number (double), a string (UTF-8) or an array of values.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace common {

class KtVariant {
public:
    enum class Kind { Empty,
                      Byte,
                      Integer,
                      Long,
                      Decimal,
                      String,
                      Array };
    using Array = std::vector<KtVariant>;

    KtVariant() = default;
    KtVariant(std::uint8_t v)
        : m_value(v)
    {}
    KtVariant(std::int16_t v)
        : m_value(v)
    {}
    KtVariant(std::int32_t v)
        : m_value(v)
    {}
    KtVariant(double v)
        : m_value(v)
    {}
    KtVariant(std::string v)
        : m_value(std::move(v))
    {}
    KtVariant(const char* v)
        : m_value(std::string(v))
    {}
    KtVariant(Array v)
        : m_value(std::move(v))
    {}

    Kind GetKind() const { return static_cast<Kind>(m_value.index()); }
    bool IsEmpty() const { return GetKind() == Kind::Empty; }
    bool IsNumber() const;

    // Typed access; each throws std::bad_variant_access for another kind.
    std::uint8_t AsByte() const { return std::get<std::uint8_t>(m_value); }
    std::int16_t AsInteger() const { return std::get<std::int16_t>(m_value); }
    std::int32_t AsLong() const { return std::get<std::int32_t>(m_value); }
    double AsDecimal() const { return std::get<double>(m_value); }
    const std::string& AsString() const { return std::get<std::string>(m_value); }
    const Array& AsArray() const { return std::get<Array>(m_value); }

    // Any number as a double (0 for the other kinds).
    double ToDouble() const;

    // The value as text: numbers in plain decimal (a decimal number without a
    // fractional part has none, otherwise up to 15 significant digits),
    // strings as they are, empty as "", an array as "" (it has no text form).
    std::string ToText() const;

    bool operator==(const KtVariant&) const = default;

private:
    std::variant<std::monostate, std::uint8_t, std::int16_t, std::int32_t, double, std::string, Array> m_value;
};

} // namespace common
