// Test support: a save killed with SIGKILL part-way, at every point the database layer
// gives, to show that the user database then holds the old state or the new one whole.
//
// The save runs in a child process (fork), which ends itself with SIGKILL right after
// the database layer has carried out its n-th statement that can change a file (every
// statement but a SELECT or a PRAGMA that only reads: a kill after a read leaves what the
// kill after the change before it left) on the user database. Counting starts when the
// child calls KillHarness::Arm(file), so the work may first start the program or open
// its databases.
//
//   KillSweep sweep;
//   sweep.prepare = [&] { ...lay out the files as they are before the save... };
//   sweep.work = [&] { ...start; KillHarness::Arm(file); ...the save... };
//   sweep.state = [&] { return ...the rows the save may change, as text... };
//   sweep.Run();   // one run to the end, then one killed run per statement
//
// Saves that run within a start of the program (the carry-over) also give `recover`: the
// next start after each kill must complete what the killed one began.
//
// The parent must not have the user database open: a connection does not survive a
// fork, so the work opens what it needs itself. Nor may the parent have drawn a window
// before the fork: the drawing's helper threads do not survive it either, and the
// child's first drawing would wait for them for ever; so the work also opens the screens. The parent reads the file after
// the child has ended: opened read-write, as the next start opens it, so that a journal
// left by the kill is rolled back first.
#pragma once

#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/dao/StatementSeam.h"
#include "support/FullDisk.h"

namespace testsupport {

// True for a statement that can change a database file.
inline bool ChangesTheDatabase(const std::string& sql) {
  size_t i = 0;
  while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
  std::string word;
  while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
  if (word == "SELECT") return false;
  if (word == "PRAGMA") return sql.find('=') != std::string::npos;  // a PRAGMA that sets something
  return true;
}

// "ok", or what SQLite's integrity check finds wrong, of the file opened as the program
// opens it (read-write, so a hot journal is rolled back).
inline std::string IntegrityOf(const std::string& file) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const std::string why = db != nullptr ? sqlite3_errmsg(db) : "no memory";
    sqlite3_close(db);
    return "cannot open: " + why;
  }
  std::string result;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK) {
    while (sqlite3_step(st) == SQLITE_ROW) {
      if (!result.empty()) result += "; ";
      result += reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    }
  } else {
    result = sqlite3_errmsg(db);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return result;
}

// Every row of the query's result, one line per row, columns separated by '|' (NULL as
// "NULL"), from the file opened read-write as above.
inline std::string RowsOf(const std::string& file, const std::string& query) {
  sqlite3* db = nullptr;
  std::string rows;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return "cannot open " + file;
  }
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, query.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    rows = std::string("cannot read: ") + sqlite3_errmsg(db);
  } else {
    while (sqlite3_step(st) == SQLITE_ROW) {
      for (int c = 0; c < sqlite3_column_count(st); ++c) {
        if (c > 0) rows += '|';
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        rows += text != nullptr ? text : "NULL";
      }
      rows += '\n';
    }
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return rows;
}

class KillHarness {
 public:
  struct Outcome {
    bool killed = false;    // ended by SIGKILL
    bool finished = false;  // the work ran to its end (exit 0)
    int changes = 0;        // statements that could change a file, counted from Arm()
  };

  static constexpr int kChildSeconds = 120;

  // In the child: the save begins now. Only statements on the file named are counted
  // ("": on any file).
  static void Arm(const std::string& file = "") {
    Count() = 0;
    dao::AfterStatement = [file](const std::string& on, const std::string& sql) {
      if (!file.empty() && on != file) return;
      if (!ChangesTheDatabase(sql)) return;
      if (++Count() == KillAt()) raise(SIGKILL);
    };
  }

  // Runs work in a child, killed after the killAt-th statement counted (0: never).
  static Outcome Run(int killAt, const std::function<void()>& work) {
    int pipeEnds[2];
    Outcome outcome;
    if (pipe(pipeEnds) != 0) {
      ADD_FAILURE() << "no pipe";
      return outcome;
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
      ADD_FAILURE() << "no child process";
      return outcome;
    }
    if (pid == 0) {
      close(pipeEnds[0]);
      KillAt() = killAt;
      Count() = 0;
      int status = 0;
      try {
        work();
      } catch (...) {
        status = 3;
      }
      if (::testing::Test::HasFailure()) status = 4;
      const int count = Count();
      (void)!write(pipeEnds[1], &count, sizeof count);
      _exit(status);  // nothing of the test program's own ending runs in the child
    }
    close(pipeEnds[1]);
    // A child that hangs (a lock held by a thread of the parent at the fork) fails the
    // test instead of holding up the run.
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == kChildSeconds * 100) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        ADD_FAILURE() << "the child hung; it was ended after " << kChildSeconds << " s";
        status = 0;
        break;
      }
      usleep(10000);
    }
    int count = -1;
    if (read(pipeEnds[0], &count, sizeof count) != sizeof count) count = -1;
    close(pipeEnds[0]);
    outcome.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL && status != 0;
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.changes = outcome.killed ? killAt : count;
    if (!outcome.killed && !outcome.finished)
      ADD_FAILURE() << "the child ended with status " << status << " (3: the work raised, 4: a check failed in it)";
    return outcome;
  }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
  static int& KillAt() {
    static int at = 0;
    return at;
  }
};

// In the child: SIGKILL just before the n-th write that SQLite sends to the database file
// itself (not to its journal), counted from now: a commit cut short while it writes the
// file, which leaves a journal that the next opening rolls back. Call it before the file
// is opened.
inline void KillAtDatabaseWrite(const std::string& file, int n) {
  int count = 0;
  // SQLite names the file by its full path.
  const std::string path = std::filesystem::weakly_canonical(file).string();
  SqliteWriteSeam::Set([path, n, count](const char* name, bool mainDatabase) mutable {
    if (mainDatabase && name != nullptr && path == name && ++count == n) raise(SIGKILL);
    return SQLITE_OK;
  });
}

// One save killed at every statement: the user database (file) passes the integrity
// check every time and holds the state before the save or the state after it; some kill
// falls before the commit and some after it.
struct KillSweep {
  std::string file;                    // the user database
  std::function<void()> prepare;       // lays the files out as before the save
  std::function<void()> work;          // runs in the child; calls KillHarness::Arm(file) as the save begins
  std::function<std::string()> state;  // what the save may change, read from the file
  int atLeast = 1;                     // the save sends at least this many changes
  // When given: run after each kill (in the parent) as the next start would; the state
  // must then be the state after the save, whatever the kill left.
  std::function<void()> recover;
  bool mayBeMissing = false;  // the file need not exist before the save (a first start)

  void Run() {
    prepare();
    const std::string before = state();
    const KillHarness::Outcome whole = KillHarness::Run(0, work);
    ASSERT_TRUE(whole.finished) << "the save did not run to its end";
    ASSERT_GE(whole.changes, atLeast) << "the save sent fewer changes than expected (not armed?)";
    ASSERT_EQ(IntegrityOf(file), "ok");
    const std::string after = state();
    ASSERT_NE(after, before) << "the save changed nothing to tell apart";
    std::set<std::string> seen;
    for (int k = 1; k <= whole.changes; ++k) {
      prepare();
      const KillHarness::Outcome killed = KillHarness::Run(k, work);
      ASSERT_TRUE(killed.killed) << "not killed at statement " << k << " of " << whole.changes;
      if (!(mayBeMissing && !std::filesystem::exists(file))) {
        ASSERT_EQ(IntegrityOf(file), "ok") << "after a kill at statement " << k;
      }
      const std::string now = state();
      EXPECT_TRUE(now == before || now == after)
          << "a mixture after a kill at statement " << k << " of " << whole.changes << ":\n"
          << now << "\nbefore:\n" << before << "\nafter:\n" << after;
      seen.insert(now == before ? "before" : now == after ? "after" : "mixed");
      if (recover) {
        recover();
        ASSERT_EQ(IntegrityOf(file), "ok") << "after the start that followed a kill at statement " << k;
        EXPECT_EQ(state(), after) << "the start after a kill at statement " << k << " did not complete the save";
      }
    }
    EXPECT_TRUE(seen.count("before") == 1) << "no kill came before the commit";
    EXPECT_TRUE(seen.count("after") == 1) << "no kill came after the commit";
    killPoints = whole.changes;
    ::testing::Test::RecordProperty("killPoints", killPoints);
    std::printf("%d kill points\n", killPoints);
  }
  int killPoints = 0;
};

}  // namespace testsupport
