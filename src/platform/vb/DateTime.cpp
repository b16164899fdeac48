#include "platform/vb/DateTime.h"

namespace vb {

namespace {
std::string Format(std::time_t t, const char* fmt) {
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[128];
  size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
  return std::string(buf, n);
}
}  // namespace

std::string LongDate(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  // "%e" pads with a blank; the long date writes the day without padding.
  return Format(t, "%A, %B ") + std::to_string(tm.tm_mday) + Format(t, ", %Y");
}

std::string LongTime(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  int hour = tm.tm_hour % 12;
  if (hour == 0) hour = 12;
  return std::to_string(hour) + Format(t, ":%M:%S %p");
}

std::string PrintZones(const std::string& a, const std::string& b) {
  constexpr size_t kZone = 14;
  size_t next = (a.size() / kZone + 1) * kZone;  // 0-based column where the next zone starts
  return a + std::string(next - a.size(), ' ') + b;
}

std::string DateLine(std::time_t t) { return PrintZones(LongDate(t), LongTime(t)); }

std::string DateLineNow() { return DateLine(std::time(nullptr)); }

}  // namespace vb
