#include "platform/dao/Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace dao {

namespace {

constexpr unsigned char kJournalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};
constexpr size_t kJournalHeader = 28;  // magic, record count, nonce, size before, sector size, page size
constexpr size_t kStampOffset = 60;    // the header's "user_version"

uint32_t Get32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

bool PowerOfTwoIn(uint32_t v, uint32_t lo, uint32_t hi) { return v >= lo && v <= hi && (v & (v - 1)) == 0; }

// A file of the folder read whole, taken only as a regular file (a link is not followed).
// False with why set when it cannot be.
bool ReadRegularFile(const std::string& path, std::vector<unsigned char>& bytes, std::string& why) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = errno == ELOOP ? "it is a link, not a file" : std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    why = "it is not a file (a folder, a device or another kind of thing)";
    return false;
  }
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return true;
}

// The page-1 bytes that a commit changes besides the pages it writes: the change
// counter, the stamp, and the version the counter is valid for.
bool HeaderByteACommitChanges(size_t i) {
  return (i >= 24 && i < 28) || (i >= kStampOffset && i < kStampOffset + 4) || (i >= 92 && i < 96);
}

bool SamePage(uint32_t page, const unsigned char* journal, const unsigned char* database, size_t size) {
  if (page != 1) return std::memcmp(journal, database, size) == 0;
  for (size_t i = 0; i < size; ++i)
    if (journal[i] != database[i] && !HeaderByteACommitChanges(i)) return false;
  return true;
}

// SQLite's checksum of a journal record: the nonce plus every 200th byte from the end.
uint32_t Checksum(uint32_t nonce, const unsigned char* page, size_t size) {
  uint32_t sum = nonce;
  for (size_t i = size - 200; i > 0 && i < size; i -= 200) sum += page[i];
  return sum;
}

struct Journal {
  uint32_t pageSize = 0;
  uint32_t sizeBefore = 0;                           // pages of the database before the transaction
  std::map<uint32_t, const unsigned char*> pages;  // the records SQLite would play back, by page
};

// The records as SQLite reads them back: segment by segment, each record up to the first
// whose checksum is wrong. False when the file is not a journal.
bool ParseJournal(const std::vector<unsigned char>& j, Journal& out) {
  if (j.size() < kJournalHeader || std::memcmp(j.data(), kJournalMagic, sizeof kJournalMagic) != 0) return false;
  const uint32_t sector = Get32(&j[20]);
  out.pageSize = Get32(&j[24]);
  out.sizeBefore = Get32(&j[16]);
  if (!PowerOfTwoIn(sector, 32, 65536) || !PowerOfTwoIn(out.pageSize, 512, 65536)) return false;
  const size_t record = out.pageSize + 8;
  size_t at = 0;
  while (at + kJournalHeader <= j.size() && std::memcmp(&j[at], kJournalMagic, sizeof kJournalMagic) == 0) {
    uint64_t count = Get32(&j[at + 8]);
    const uint32_t nonce = Get32(&j[at + 12]);
    const size_t first = at + sector;
    if (first > j.size()) break;
    if (count == 0xffffffffu) count = (j.size() - first) / record;
    size_t r = first;
    for (uint64_t k = 0; k < count; ++k, r += record) {
      if (r + record > j.size()) return true;
      const uint32_t page = Get32(&j[r]);
      const unsigned char* data = &j[r + 4];
      if (page == 0 || Get32(&j[r + 4 + out.pageSize]) != Checksum(nonce, data, out.pageSize)) return true;
      out.pages.emplace(page, data);
    }
    at = (r + sector - 1) / sector * sector;
  }
  return true;
}

uint32_t DatabasePageSize(const std::vector<unsigned char>& db) {
  if (db.size() < 100 || std::memcmp(db.data(), "SQLite format 3", 16) != 0) return 0;
  const uint32_t size = (uint32_t{db[16]} << 8) | db[17];
  return size == 1 ? 65536 : size;
}

}  // namespace

uint32_t NextStamp(uint32_t stamp) {
  if (stamp == 0) {
    std::random_device random;
    uint32_t first = 0;
    while (first == 0) first = random();
    return first;
  }
  uint32_t x = stamp;
  x ^= x >> 16;
  x *= 0x7feb352du;
  x ^= x >> 15;
  x *= 0x846ca68bu;
  x ^= x >> 16;
  if (x == 0 || x == stamp) x = stamp + 1 == 0 ? 1 : stamp + 1;
  return x;
}

std::string JournalName(const std::string& database) { return database + "-journal"; }

JournalState ExamineJournal(const std::string& database) {
  JournalState state;
  const std::string name = JournalName(database);
  struct stat st {};
  if (::lstat(name.c_str(), &st) != 0) return state;
  state.present = true;
  std::vector<unsigned char> journal;
  std::string why;
  if (!ReadRegularFile(name, journal, why)) {
    state.hot = true;
    state.fault = "the journal '" + name + "' cannot be used: " + why;
    return state;
  }
  // SQLite takes a journal as hot when it is not empty and its first byte is not 0.
  state.hot = !journal.empty() && journal[0] != 0;
  if (!state.hot) return state;
  Journal j;
  if (!ParseJournal(journal, j)) {
    state.fault = "the file '" + name + "' is not a journal of the database '" + database + "'";
    return state;
  }
  const std::string foreign = "the journal '" + name + "', left by a save that was cut short, does not belong to the "
                              "database '" + database + "' beside it";
  std::vector<unsigned char> db;
  if (!ReadRegularFile(database, db, why) || db.empty()) {
    state.fault = "the journal '" + name + "', left by a save that was cut short, is there without its database '" +
                  database + "'";
    return state;
  }
  if (DatabasePageSize(db) != j.pageSize) {
    state.fault = foreign;
    return state;
  }
  // A journal of this layer begins with page 1 as it was, stamped. The file beside it
  // then holds that stamp (nothing written yet, or a rollback begun: it restores page 1
  // first) or the next one (the commit was writing the file).
  const auto first = j.pages.find(1);
  const uint32_t before = first != j.pages.end() ? Get32(first->second + kStampOffset) : 0;
  if (before != 0) {
    const uint32_t now = Get32(&db[kStampOffset]);
    if (now == before || now == NextStamp(before)) return state;
    state.fault = foreign;
    return state;
  }
  // A journal without a stamp (written before files were stamped) is taken only when
  // rolling it back changes nothing: every page it holds is the file's page as it is,
  // but for the header's counters and stamp, and the file has its size from before.
  const auto pageOf = [&](uint32_t page) -> const unsigned char* {
    const size_t at = static_cast<size_t>(page - 1) * j.pageSize;
    return at + j.pageSize <= db.size() ? &db[at] : nullptr;
  };
  bool changesNothing = (db.size() + j.pageSize - 1) / j.pageSize == j.sizeBefore;
  for (const auto& [page, data] : j.pages) {
    const unsigned char* now = pageOf(page);
    if (now == nullptr || !SamePage(page, data, now, j.pageSize)) changesNothing = false;
  }
  if (changesNothing) return state;
  state.fault = foreign;
  return state;
}

}  // namespace dao
