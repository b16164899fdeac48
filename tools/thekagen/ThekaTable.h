// The standard theka of every tala of the content, and the bols they are made
// of: the one table from which both the theka data file "clb.kzy" and the
// "ThekaTypeBolsForTaal" rows of theka set 4 are written, so that the bol ids
// of the database and of the file always agree.
//
// The theka data file (text, ASCII, lines ending in LF, fields separated by one
// blank):
//
//   velmora-theka 2                   the format and its version
//   set 4                             the theka set the file holds
//   bol <id> <name> <stroke>@<beat>...  one line per bol id (1 to 255): the
//                                     strokes it is made of, each with its place
//                                     in the beat (0 <= beat < 1, a decimal
//                                     fraction); a bol without strokes is a rest
//   tala <id> <name> <beats> <bol id>...  the theka of a tala, one bol id per beat
//                                     ("_" stands for a blank in the name)
//   khali <tala id> <beat>...         the khali beats of that tala (after its
//                                     tala line; none for a tala without khali)
//   end <checksum>                    FNV-1a (32 bits, 8 lowercase hex digits) of
//                                     every byte before this line
//
// Strokes: Na, Tin, Tun, Ta, Ti, Ra (dayan); Ge, Ke (bayan). A two-handed bol
// lists a stroke of each drum at the same place: Dha = Na@0 Ge@0.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace thekagen {

inline constexpr int kThekaSet = 4;

struct Bol {
  int id;
  const char* name;
  const char* strokes;  // "Na@0 Ge@0"
};

struct Theka {
  int talaId;
  const char* tala;
  int beats;
  const char* bols;  // bol names, one per beat, "|" between the divisions of the cycle
  const char* khali;  // the khali beats, "9" or "3 7"; "" for none
};

const std::vector<Bol>& Bols();
const std::vector<Theka>& Thekas();

// The bol ids of a theka's beats; throws std::runtime_error for an unknown bol
// name or a count of bols other than the tala's beats.
std::vector<int> BolIds(const Theka& theka);

void WriteThekaFile(std::ostream& out);
void WriteContentSql(std::ostream& out);

}  // namespace thekagen
