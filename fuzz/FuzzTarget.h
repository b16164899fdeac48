// The fuzz targets: each reads one input (any bytes) the way the program reads text
// from a database row, a file or the user, and checks what must hold for any input.
//
// A target is declared once with VELMORA_FUZZ_TARGET and runs in two ways:
// - as a libFuzzer program of its own (the `fuzz` preset, FuzzMain.cpp), which feeds it
//   generated inputs under AddressSanitizer and UndefinedBehaviorSanitizer;
// - in the normal tests (tests/fuzz), which feed it every input of its seed corpus and of
//   its regression folder, in every build.
// A target ends its input quietly when all holds; a broken rule calls Fail.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

using Entry = void (*)(std::string_view input);

struct Target {
  const char* name;
  Entry run;
};

// Every target linked into the program, in the order they registered.
inline std::vector<Target>& Targets() {
  static std::vector<Target> targets;
  return targets;
}

inline const Target* Find(std::string_view name) {
  for (const Target& t : Targets())
    if (name == t.name) return &t;
  return nullptr;
}

struct Registration {
  Registration(const char* name, Entry run) { Targets().push_back({name, run}); }
};

// What a broken rule does: the libFuzzer program aborts (a crash that it keeps as a
// reproducer); the tests record a failure.
inline std::function<void(const std::string& what)> FailHandler;
void Fail(const std::string& what);

// The input cut at its first '\n' (or whole): first is before, rest after it.
inline std::string_view Line(std::string_view& rest) {
  const size_t newline = rest.find('\n');
  const std::string_view line = rest.substr(0, newline);
  rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
  return line;
}

// A small choice taken from the input's first byte (0 for an empty input).
inline unsigned char Choice(std::string_view& input) {
  if (input.empty()) return 0;
  const auto c = static_cast<unsigned char>(input.front());
  input.remove_prefix(1);
  return c;
}

// A scratch folder of this process for files a target writes (made once).
const std::string& ScratchFolder();

// The note-name tables, filled once (every notation function reads them).
void InitNotation();

// Runs a script of SQLite statements on the file, creating it when missing.
void RunSql(const std::string& path, const std::string& sql);
// A schema file of content/schema ("shared.sql", "content.sql", "user.sql").
std::string SchemaSql(const std::string& name);

// The theka data file text of theka set 4 with bols 1 to 5 and tala 1 (16 beats), its
// checksum line included; and a body of lines closed by its checksum line.
std::string ThekaFileText();
std::string WithChecksum(std::string_view body);

}  // namespace fuzz

#define VELMORA_FUZZ_TARGET(name)                                                                \
  static void FuzzOne_##name(std::string_view input);                                           \
  static const ::fuzz::Registration fuzz_registration_##name(#name, &FuzzOne_##name); \
  static void FuzzOne_##name(std::string_view input)
