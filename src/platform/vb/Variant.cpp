#include "platform/vb/Variant.h"

#include "platform/vb/Conversion.h"
#include "platform/vb/Error.h"

namespace vb {

VarType Variant::Type() const {
  switch (v_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Integer;
    case 3: return VarType::Long;
    case 4: return VarType::Single;
    case 5: return VarType::Double;
    case 6: return VarType::String;
    default: return VarType::Boolean;
  }
}

bool Variant::IsNumber() const {
  switch (Type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Boolean: return true;
    default: return false;
  }
}

double Variant::ToDouble() const {
  return std::visit(
      [](const auto& x) -> double {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, EmptyT>) return 0.0;
        else if constexpr (std::is_same_v<T, NullT>) {
          Raise(kInvalidUseOfNull);
        } else if constexpr (std::is_same_v<T, std::string>) {
          if (!IsNumeric(x)) Raise(kTypeMismatch);
          return Val(x);
        } else if constexpr (std::is_same_v<T, bool>) return x ? -1.0 : 0.0;
        else return static_cast<double>(x);
      },
      v_);
}

int16_t Variant::ToInt() const { return CInt(ToDouble()); }
int32_t Variant::ToLong() const { return CLng(ToDouble()); }
float Variant::ToSingle() const { return CSng(ToDouble()); }

bool Variant::ToBool() const {
  if (const auto* s = std::get_if<std::string>(&v_)) {
    if (*s == "True" || *s == "true" || *s == "TRUE") return true;
    if (*s == "False" || *s == "false" || *s == "FALSE") return false;
  }
  return ToDouble() != 0.0;
}

std::string Variant::ToString() const {
  return std::visit(
      [](const auto& x) -> std::string {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, EmptyT>) return "";
        else if constexpr (std::is_same_v<T, NullT>) {
          Raise(kInvalidUseOfNull);
        } else if constexpr (std::is_same_v<T, std::string>) return x;
        else if constexpr (std::is_same_v<T, bool>) return x ? "True" : "False";
        else if constexpr (std::is_same_v<T, float>) return FormatGeneralSingle(x);
        else if constexpr (std::is_same_v<T, double>) return FormatGeneral(x);
        else return std::to_string(x);
      },
      v_);
}

std::string NzString(const Variant& v, const std::string& fallback) {
  return (v.IsNull() || v.IsEmpty()) ? fallback : v.ToString();
}

double NzDouble(const Variant& v, double fallback) {
  return (v.IsNull() || v.IsEmpty()) ? fallback : v.ToDouble();
}

}  // namespace vb
