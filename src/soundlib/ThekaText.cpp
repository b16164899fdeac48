#include "soundlib/ThekaText.h"

#include <algorithm>
#include <array>
#include <utility>
#include <charconv>
#include <cmath>
#include <string_view>

#include "soundlib/Constants.h"
#include "soundlib/Random.h"

namespace soundlib {

namespace {

constexpr int kMaxBeatsPerNote = 4096;
constexpr float kSamGain = 1.12f;
constexpr float kKhaliGain = 1.08f;
constexpr float kInsideBeatGain = 0.85f;
constexpr float kVariation = 0.04f;
constexpr uint64_t kVariationSeed = 0x7468656b61ull;
// How far off its time a stroke may be played, in ms: on sam, elsewhere.
constexpr double kSamTimingMs = 1.0;
constexpr double kTimingMs = 3.0;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The events that open a beat of the cycle, with that beat (kept: no allocation once grown).
std::vector<std::pair<size_t, int>>& Openings() {
  static std::vector<std::pair<size_t, int>> openings = [] {
    std::vector<std::pair<size_t, int>> v;
    v.reserve(8192);
    return v;
  }();
  return openings;
}

template <class T>
bool Number(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The next "/"-separated field of a note's text.
bool NextField(std::string_view& rest, std::string_view& field) {
  if (rest.empty()) return false;
  const size_t slash = rest.find('/');
  field = rest.substr(0, slash);
  rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  return !field.empty();
}

}  // namespace

bool ReadTheka(const std::string& text, const Phrase& phrase, const ThekaTiming& timing, const ThekaData& data,
               std::vector<StrokeEvent>& events) {
  events.clear();
  // The hands vary as they do for this item alone.
  Random variation(kVariationSeed ^ SeedOf(phrase));
  // The bol struck on each beat of the cycle (0: none yet, -1: several), and the
  // events that open a beat, with the beat, for the khali's accent.
  std::array<int, ThekaData::kMaxBeats> bolAt = {};
  const bool cycle = timing.beatCount > 0 && timing.beatCount <= ThekaData::kMaxBeats;
  std::vector<std::pair<size_t, int>>& opening = Openings();
  opening.clear();
  const double samplesPerBeat = timing.tempoMs * kSamplesPerMs;
  size_t note = 0;
  long beat = 0;  // beats struck so far
  const std::string_view all(text);
  size_t i = 0;
  while (i < all.size()) {
    while (i < all.size() && IsBlank(all[i])) ++i;
    const size_t begin = i;
    while (i < all.size() && !IsBlank(all[i])) ++i;
    if (i == begin) break;
    if (note >= phrase.notes.size()) return false;
    const std::string_view token = all.substr(begin, i - begin);
    const int64_t start = phrase.notes[note++].start;
    if (token == "0") continue;

    if (token.back() == '/') return false;
    std::string_view rest = token, field;
    int n = 0;
    if (!NextField(rest, field) || !Number(field, n) || n < 1 || n > kMaxBeatsPerNote) return false;
    if (!(samplesPerBeat > 0.0)) return false;
    // The offset comes after the n bols.
    std::string_view bols = rest;
    for (int k = 0; k < n; ++k)
      if (!NextField(rest, field)) return false;
    double offset = 0.0;
    if (!NextField(rest, field) || !Number(field, offset) || !rest.empty() || !(offset >= 0.0) || offset > 1.0)
      return false;

    for (int k = 0; k < n; ++k, ++beat) {
      long id = 0;
      NextField(bols, field);
      const Bol* bol = Number(field, id) ? data.Find(id) : nullptr;
      if (bol == nullptr) return false;
      const long cycleBeat = timing.beatCount > 0 ? ((timing.startBeat - 1 + beat) % timing.beatCount +
                                                     timing.beatCount) % timing.beatCount
                                                  : -1;
      const bool sam = cycleBeat == 0;
      if (cycle) {
        int& at = bolAt[static_cast<size_t>(cycleBeat)];
        at = at == 0 || at == id ? static_cast<int>(id) : -1;
      }
      for (int p = 0; p < bol->count; ++p) {
        const Bol::Part& part = bol->parts[p];
        StrokeEvent event;
        const double offMs = (sam ? kSamTimingMs : kTimingMs) * variation.Bipolar();
        event.sample = std::max<int64_t>(
            0, start + std::llround((offset + k + part.position) * samplesPerBeat + offMs * kSamplesPerMs));
        event.stroke = part.stroke;
        event.gain = (sam && part.position == 0.0f ? kSamGain : 1.0f) *
                     (part.position > 0.0f ? kInsideBeatGain : 1.0f) * (1.0f + kVariation * variation.Bipolar());
        events.push_back(event);
        if (cycle && part.position == 0.0f) opening.push_back({events.size() - 1, static_cast<int>(cycleBeat)});
      }
    }
  }
  if (note != phrase.notes.size()) return false;
  if (cycle) {
    const uint32_t khali = data.Khali(timing.beatCount, bolAt);
    for (const auto& [index, beat] : opening)
      if ((khali >> beat) & 1u) events[index].gain *= kKhaliGain;
  }
  std::sort(events.begin(), events.end(), [](const StrokeEvent& a, const StrokeEvent& b) {
    return a.sample != b.sample ? a.sample < b.sample : a.stroke < b.stroke;
  });
  return true;
}

}  // namespace soundlib
