// instrgen <output.sql>: writes the instrument and scale-set rows of the content database.
#include <fstream>
#include <iostream>

#include "instrgen/InstrumentData.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: instrgen <output.sql>\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  instrgen::WriteContentSql(out);
  out.close();
  if (!out) {
    std::cerr << "instrgen: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
