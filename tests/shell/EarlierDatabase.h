// Test support: rows of an earlier installation's user database, as SQL text for
// testsupport::MakeUserFixture.
#pragma once

#include <string>

namespace earlier {

inline std::string OnprRow(int set, int type, const std::string& name, int tonic, double value) {
  std::string columns, values;
  for (int k = 0; k < 27; ++k) {
    columns += std::string(", \"") + static_cast<char>('0' + k / 10) + static_cast<char>('0' + k % 10) + "\"";
    values += ", " + std::to_string(value + k);
  }
  return "INSERT INTO \"ONPR\" (\"NPSetId\", \"InstrumentType\", \"NPSetName\", \"TonicNoteId\"" + columns +
         ") VALUES (" + std::to_string(set) + ", " + std::to_string(type) + ", '" + name + "', " +
         std::to_string(tonic) + values + ");\n";
}

inline std::string ScaleSet(int set, const std::string& name, int tonic, double value) {
  return "INSERT INTO \"Scale Shift Specs\" VALUES (" + std::to_string(set) + ", '" + name + "', 'c', " +
         std::to_string(tonic) + ", 200.5, 190.25);\n" + OnprRow(set, 1, name, tonic, value) +
         OnprRow(set, 2, name, tonic, value + 100);
}

inline std::string Composition(int index, int raga, const std::string& title) {
  const std::string n = std::to_string(index), r = std::to_string(raga);
  return "INSERT INTO \"Raga - Additional Information\" VALUES (" + r + ", '" + title + "', 2, " + n + ");\n" +
         "INSERT INTO \"Raga - Composition Notations\" VALUES (" + n + ", 1, " + r + ", '" + title +
         "', 1, NULL, 'asthai of " + title + "', 'ga ne', '1 1', 'S R', '1 1', 1, 1, 20),\n" + "  (" + n + ", 2, " +
         r + ", '" + title + "', 1, NULL, 'antara of " + title + "', 'ma', '2', 'G', '2', 1, 9, 20);\n";
}

inline std::string Setting(const std::string& name, const std::string& value) {
  return "UPDATE \"User Parameters\" SET \"Parameter Value\" = " + value + " WHERE \"Parameter Name\" = '" + name +
         "';\n";
}

// An earlier installation's data: a scale set, a composition, a similar raga, an ALT
// phrase, a pattern and settings.
inline const std::string kEarlierRows =
    ScaleSet(13, "Old Set", 5, 0.5) + Composition(1, 5, "My Song") +
    "INSERT INTO \"Raga - Additional Information\" VALUES (7, 'Like Raga 9', 1, 0);\n"
    "INSERT INTO \"Raga - ALT Phrases\" VALUES (5, 1, 'S R G', '10 10 10 ,');\n"
    "INSERT INTO \"User Patterns\" VALUES (1, 'Climb', 'SRGm', 2);\n" +
    Setting("LastTip", "'3'") + Setting("CurrMusicSetId", "'13'") + Setting("SortingMode", "'2'") +
    Setting("TipSignal", "NULL") + "INSERT INTO \"User Parameters\" VALUES ('NotInTheNewOne', '9');\n";

}  // namespace earlier

namespace earlier {

// Rows that belong to nothing the program could show: "ONPR" rows of a set without its
// "Scale Shift Specs" row (set 15), a notation no item refers to (9), a pattern
// without a name (3).
inline const std::string kIncompleteRows =
    OnprRow(15, 1, "Loose set", 4, 2) + OnprRow(15, 2, "Loose set", 4, 102) +
    "INSERT INTO \"Raga - Composition Notations\" VALUES (9, 1, 5, 'Lost', 1, NULL, 'lost', 'ga', '1', 'S', '1', 1, 1, "
    "20);\n"
    "INSERT INTO \"User Patterns\" VALUES (3, NULL, 'PDN', 1);\n";
inline constexpr int kIncompleteRowCount = 4;

// The rows of kEarlierRows that are added, by table.
inline constexpr int kEarlierRowCount = 9;  // ONPR 2, Scale Shift Specs 1, items 2, ALT 1, notations 2, patterns 1

}  // namespace earlier
