#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FuzzTarget.h"
#include "common/Notation.h"

namespace fuzz {

void Fail(const std::string& what) {
  if (FailHandler) {
    FailHandler(what);
    return;
  }
  std::fprintf(stderr, "fuzz target rule broken: %s\n", what.c_str());
  std::abort();
}

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/velmora-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    // Removed when the process ends normally.
    static const struct Remover {
      std::string path;
      ~Remover() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
      }
    } remover{pattern};
    return pattern;
  }();
  return folder;
}

void InitNotation() {
  static const bool done = [] {
    common::sInitScales();
    return true;
  }();
  (void)done;
}

void RunSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  char* error = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::fprintf(stderr, "fuzz set-up: SQL failed on %s: %s\n", path.c_str(), error != nullptr ? error : "");
    std::abort();
  }
  sqlite3_close(db);
}

std::string SchemaSql(const std::string& name) {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/content/schema/" + name, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "fuzz set-up: no schema file %s\n", name.c_str());
    std::abort();
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string WithChecksum(std::string_view body) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : body) hash = (hash ^ c) * 16777619u;
  char last[32];
  std::snprintf(last, sizeof last, "end %08x\n", hash);
  return std::string(body) + last;
}

std::string ThekaFileText() {
  return WithChecksum(
      "velmora-theka 2\n"
      "set 4\n"
      "bol 1 Dha Na@0 Ge@0\n"
      "bol 2 Dhin Tin@0 Ge@0\n"
      "bol 3 Na Na@0\n"
      "bol 4 S\n"
      "bol 5 TiRaKiTa Ti@0 Ra@0.25 Ke@0.5 Ta@0.75\n"
      "tala 1 Teentaal 16 1 2 2 1 1 2 2 1 1 3 3 5 5 2 2 1\n"
      "khali 1 9 10 11 12 13\n");
}

}  // namespace fuzz
