#include "soundlib/ThekaData.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace soundlib {

namespace {

constexpr std::string_view kHeader = "velmora-theka 2\n";
constexpr size_t kMaxFileBytes = 1 << 20;

uint32_t Fnv1a(std::string_view text) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : text) hash = (hash ^ c) * 16777619u;
  return hash;
}

// Splits a line at single blanks.
class Fields {
 public:
  explicit Fields(std::string_view line) : rest_(line) {}
  bool Next(std::string_view& field) {
    if (done_) return false;
    const size_t blank = rest_.find(' ');
    field = rest_.substr(0, blank);
    if (blank == std::string_view::npos)
      done_ = true;
    else
      rest_.remove_prefix(blank + 1);
    return !field.empty();
  }
  bool empty() const { return done_; }

 private:
  std::string_view rest_;
  bool done_ = false;
};

bool Integer(std::string_view text, long low, long high, long& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= low && value <= high;
}

bool Position(std::string_view text, float& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0.0f && value < 1.0f;
}

// "Na@0.25": a stroke and its place in the beat.
bool ReadPart(std::string_view text, Bol::Part& part) {
  const size_t at = text.find('@');
  return at != std::string_view::npos && StrokeFromName(text.substr(0, at), part.stroke) &&
         Position(text.substr(at + 1), part.position);
}

}  // namespace

bool ThekaData::Read(const std::string& path, int32_t set) {
  Clear();
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string text;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= kMaxFileBytes)
    text.append(buffer, got);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError || text.size() > kMaxFileBytes || !Parse(text, set)) {
    Clear();
    return false;
  }
  return true;
}

bool ThekaData::Parse(const std::string& text, int32_t set) {
  std::string_view all(text);
  if (all.substr(0, kHeader.size()) != kHeader || all.empty() || all.back() != '\n') return false;
  // The last line holds the checksum of everything before it.
  const size_t endLine = all.rfind('\n', all.size() - 2);
  if (endLine == std::string_view::npos) return false;
  const std::string_view body = all.substr(0, endLine + 1);
  const std::string_view last = all.substr(endLine + 1, all.size() - endLine - 2);
  char expected[16];
  std::snprintf(expected, sizeof expected, "end %08x", Fnv1a(body));
  if (last != expected) return false;

  bool haveSet = false;
  std::string_view lines = body.substr(kHeader.size());
  while (!lines.empty()) {
    const size_t newline = lines.find('\n');
    Fields fields(lines.substr(0, newline));
    lines.remove_prefix(newline + 1);
    std::string_view kind, field;
    if (!fields.Next(kind)) return false;
    long id = 0;
    if (kind == "set") {
      if (haveSet || !fields.Next(field) || !Integer(field, 1, 99, id) || !fields.empty()) return false;
      if (id != set) return false;
      haveSet = true;
    } else if (kind == "bol") {
      if (!haveSet || !fields.Next(field) || !Integer(field, 1, kMaxBolId, id) || !fields.Next(field)) return false;
      Bol& bol = bols_[static_cast<size_t>(id)];
      if (bol.defined) return false;
      bol.defined = true;
      while (fields.Next(field)) {
        if (bol.count == Bol::kMaxStrokes || !ReadPart(field, bol.parts[bol.count])) return false;
        ++bol.count;
      }
      if (!fields.empty()) return false;
    } else if (kind == "tala") {
      long beats = 0;
      if (!haveSet || !fields.Next(field) || !Integer(field, 1, kMaxTalas, id) || talas_[static_cast<size_t>(id)].beats ||
          !fields.Next(field) || !fields.Next(field) || !Integer(field, 1, kMaxBeats, beats))
        return false;
      Tala& tala = talas_[static_cast<size_t>(id)];
      tala.beats = static_cast<int>(beats);
      for (long beat = 0; beat < beats; ++beat) {
        long bol = 0;
        if (!fields.Next(field) || !Integer(field, 1, kMaxBolId, bol) || Find(bol) == nullptr) return false;
        tala.bols[static_cast<size_t>(beat)] = static_cast<int>(bol);
      }
      if (!fields.empty()) return false;
    } else if (kind == "khali") {
      // khali <tala id> <beat>...: after its tala, at least one beat.
      if (!fields.Next(field) || !Integer(field, 1, kMaxTalas, id)) return false;
      Tala& tala = talas_[static_cast<size_t>(id)];
      if (tala.beats == 0 || tala.khali != 0) return false;
      long beat = 0;
      while (fields.Next(field)) {
        if (!Integer(field, 1, tala.beats, beat)) return false;
        tala.khali |= 1u << (beat - 1);
      }
      if (!fields.empty() || tala.khali == 0) return false;
    } else {
      return false;
    }
  }
  if (!haveSet) return false;
  set_ = set;
  return true;
}

uint32_t ThekaData::Khali(int beatCount, const std::array<int, kMaxBeats>& bolAt) const {
  uint32_t agreed = ~0u;
  bool found = false;
  for (const Tala& tala : talas_) {
    if (tala.beats != beatCount) continue;
    bool fits = true;
    for (int b = 0; b < beatCount && fits; ++b)
      fits = bolAt[static_cast<size_t>(b)] == 0 || bolAt[static_cast<size_t>(b)] == tala.bols[static_cast<size_t>(b)];
    if (!fits) continue;
    agreed &= tala.khali;
    found = true;
  }
  return found ? agreed : 0u;
}

const Bol* ThekaData::Find(long id) const {
  if (id < 1 || id > kMaxBolId) return nullptr;
  const Bol& bol = bols_[static_cast<size_t>(id)];
  return bol.defined ? &bol : nullptr;
}

}  // namespace soundlib
