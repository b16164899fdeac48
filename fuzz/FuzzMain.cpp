// The entry point of one libFuzzer program: VELMORA_FUZZ_NAME names its target.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::Target* target = [] {
    const fuzz::Target* found = fuzz::Find(VELMORA_FUZZ_NAME);
    if (found == nullptr) {
      std::fprintf(stderr, "no fuzz target named %s\n", VELMORA_FUZZ_NAME);
      std::abort();
    }
    return found;
  }();
  target->run(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
