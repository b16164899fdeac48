// thekagen <theka file> <output.sql>: writes the theka data file of theka set 4
// and the "ThekaTypeBolsForTaal" rows of the content database from one table.
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "thekagen/ThekaTable.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: thekagen <theka file> <output.sql>\n";
    return 2;
  }
  try {
    std::ofstream file(argv[1], std::ios::binary);
    thekagen::WriteThekaFile(file);
    std::ofstream sql(argv[2], std::ios::binary);
    thekagen::WriteContentSql(sql);
    file.close();
    sql.close();
    if (!file || !sql) {
      std::cerr << "thekagen: cannot write " << argv[1] << " or " << argv[2] << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "thekagen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
