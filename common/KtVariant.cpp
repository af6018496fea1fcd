#include "common/KtVariant.h"

#include <charconv>
#include <cmath>

namespace common {

bool KtVariant::IsNumber() const
{
    switch (GetKind()) {
    case Kind::Byte:
    case Kind::Integer:
    case Kind::Long:
    case Kind::Decimal:
        return true;
    default:
        return false;
    }
}

double KtVariant::ToDouble() const
{
    switch (GetKind()) {
    case Kind::Byte: return AsByte();
    case Kind::Integer: return AsInteger();
    case Kind::Long: return AsLong();
    case Kind::Decimal: return AsDecimal();
    default: return 0.0;
    }
}

std::string KtVariant::ToText() const
{
    switch (GetKind()) {
    case Kind::Byte: return std::to_string(AsByte());
    case Kind::Integer: return std::to_string(AsInteger());
    case Kind::Long: return std::to_string(AsLong());
    case Kind::Decimal: {
        double d = AsDecimal();
        if (!std::isfinite(d))
            return std::isnan(d) ? "NaN" : (d > 0 ? "Infinity" : "-Infinity");
        // to_chars, unlike printf, always writes a decimal point, whatever the locale.
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::general, 15);
        return std::string(buffer, result.ptr);
    }
    case Kind::String: return AsString();
    default: return {};
    }
}

} // namespace common
