// formrows <file.sql>: writes the KZForms and KZFormControls rows of every declared
// form (forms::DeclaredForms) for the content database. Fails, writing nothing, when
// a declaration is faulty.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: formrows <output.sql>\n");
    return 2;
  }
  const std::vector<forms::FormSpec> declared = forms::DeclaredForms();
  const std::vector<std::string> faults = forms::CheckDeclarations(declared);
  for (const auto& f : faults) std::fprintf(stderr, "formrows: %s\n", f.c_str());
  if (!faults.empty()) return 1;

  const std::filesystem::path out(argv[1]);
  const std::filesystem::path part(out.string() + ".part");
  {
    std::ofstream file(part, std::ios::binary | std::ios::trunc);
    file << forms::LayoutRowsSql(declared);
    if (!file) {
      std::fprintf(stderr, "formrows: cannot write %s\n", part.string().c_str());
      return 1;
    }
  }
  std::filesystem::rename(part, out);
  return 0;
}
