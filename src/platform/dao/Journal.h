// The rollback journal beside a database file ("<file>-journal"), judged before SQLite
// opens the file.
//
// SQLite pairs a journal with a database by its name alone: a journal left by a save
// cut short, with the database moved away or a backup restored in its place, is rolled
// into whatever file now has that name. So the layer ties every journal it writes to the
// state of the database it was written for:
// - every write transaction first sets the header's stamp (the "user_version" field)
//   to the next value of a chain: NextStamp of the stamp of the state it starts from. The
//   journal therefore always holds the page 1 of that state, with its stamp;
// - pages go to the database file only at the commit, in the order of their numbers, so
//   page 1 first (cache spilling is turned off for files opened read-write).
// A hot journal (one SQLite would roll back) belongs to the database beside it when the
// database's stamp is
// - the stamp in the journal's page 1: the commit had not begun writing the file (or a
//   rollback of it had begun, which restores page 1 first); a file that is a copy of
//   that very state is harmed by no rollback either;
// - or NextStamp of it: the file was being written by the commit this journal is for.
// A state is known by its stamp, and each database file gets a random first one, so a
// restored older backup, another user database or a new one from the template is
// refused. A journal without a stamp (of a file not stamped yet) is taken only when
// rolling it back would change nothing. A change that another program made to a file
// (which gives it no new stamp) is not told apart.
#pragma once

#include <cstdint>
#include <string>

namespace dao {

// The stamp that follows stamp (0: none yet, a random one).
uint32_t NextStamp(uint32_t stamp);

// What the journal beside a database file is.
struct JournalState {
  bool present = false;  // a file of that name is there (of any kind)
  bool hot = false;      // SQLite would roll it back at the next opening
  // Why it must not be rolled into the database beside it; "" when it may (or is not hot).
  std::string fault;
};

// The journal's name beside the database file.
std::string JournalName(const std::string& database);

// Reads the journal and the database (neither is written). A journal that is a link or
// anything but a regular file, that cannot be read, or is not a journal of SQLite, has
// a fault too.
JournalState ExamineJournal(const std::string& database);

}  // namespace dao
