// The theka data file ("clb.kzy", "vlb.kzy") as the sound library reads it: any bytes,
// and any lines under a right checksum, so that the lines themselves are read.
#include "FuzzTarget.h"

#include <cstdio>
#include <string>

#include "soundlib/ThekaData.h"

VELMORA_FUZZ_TARGET(thekadata) {
  const unsigned char choice = fuzz::Choice(input);
  const std::string text = choice % 2 == 0 ? std::string(input) : fuzz::WithChecksum(input);
  const std::string path = fuzz::ScratchFolder() + "/theka.kzy";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) fuzz::Fail("cannot write " + path);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  soundlib::ThekaData data;
  const int32_t set = choice / 2 % 6;  // 0 to 5: sets the program asks for, and others
  if (data.Read(path, set)) {
    if (data.set() != set) fuzz::Fail("a file of another set was taken");
    for (long id = -1; id <= soundlib::ThekaData::kMaxBolId + 1; ++id) {
      const soundlib::Bol* bol = data.Find(id);
      if (bol != nullptr && (bol->count < 0 || bol->count > soundlib::Bol::kMaxStrokes))
        fuzz::Fail("a bol of " + std::to_string(bol->count) + " strokes");
    }
  } else if (data.loaded()) {
    fuzz::Fail("a refused file left data behind");
  }
}
