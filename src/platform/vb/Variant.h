// Variant: the runtime's typeless value, as database fields and settings carry it.
// Kinds: Empty, Null, Integer (16-bit), Long (32-bit), Single, Double, String, Boolean.
// Conversions follow the runtime: Null converts to nothing (error 94), Empty to 0 or "",
// a Boolean True to -1.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vb {

struct EmptyT {
  bool operator==(const EmptyT&) const = default;
};
struct NullT {
  bool operator==(const NullT&) const = default;
};
inline constexpr EmptyT Empty{};
inline constexpr NullT Null{};

enum class VarType { Empty = 0, Null = 1, Integer = 2, Long = 3, Single = 4, Double = 5, String = 8, Boolean = 11 };

class Variant {
 public:
  Variant() = default;
  Variant(EmptyT) {}
  Variant(NullT) : v_(NullT{}) {}
  Variant(int16_t x) : v_(x) {}
  Variant(int32_t x) : v_(x) {}
  Variant(float x) : v_(x) {}
  Variant(double x) : v_(x) {}
  Variant(bool x) : v_(x) {}
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}

  VarType Type() const;
  bool IsEmpty() const { return std::holds_alternative<EmptyT>(v_); }
  bool IsNull() const { return std::holds_alternative<NullT>(v_); }
  bool IsNumber() const;
  bool IsString() const { return std::holds_alternative<std::string>(v_); }

  // Conversions. Null raises error 94; a text that is not a number raises 13;
  // out-of-range values raise 6 (see Conversion.h for rounding).
  double ToDouble() const;
  int16_t ToInt() const;
  int32_t ToLong() const;
  float ToSingle() const;
  bool ToBool() const;
  std::string ToString() const;  // CStr: numbers in the general format, True "True"

  bool operator==(const Variant& o) const = default;

 private:
  std::variant<EmptyT, NullT, int16_t, int32_t, float, double, std::string, bool> v_;
};

// The value, or the fallback when it is Null or Empty (Nz).
std::string NzString(const Variant& v, const std::string& fallback = "");
double NzDouble(const Variant& v, double fallback = 0);

}  // namespace vb
