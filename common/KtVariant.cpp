#include "common/KtVariant.h"

#include <cmath>
#include <cstdio>

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
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", d);
        return buffer;
    }
    case Kind::String: return AsString();
    default: return {};
    }
}
