// The WAV writer writes only a regular file of the name it is given: a link (whatever
// it points to), a FIFO or a folder of that name is refused and nothing is written.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SoundTest.h"
#include "support/ScratchFolder.h"
#include "soundlib/WavWriter.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteOneSecond(const std::string& path) {
  soundlib::WavWriter writer;
  if (!writer.Open(path)) return false;
  const std::vector<int16_t> samples(44100, 100);
  return writer.Write(samples.data(), static_cast<int64_t>(samples.size())) && writer.Close();
}

TEST(WavWriterTest, WritesARegularFileAnewAndNothingElse) {
  const fs::path folder = testsupport::MakeScratchFolder();
  const fs::path file = folder / "D.Wav";
  std::ofstream(file) << std::string(500000, 'x');  // an earlier, longer file
  ASSERT_TRUE(WriteOneSecond(file.string()));
  EXPECT_EQ(soundtest::ReadWav(file.string()).size(), 44100u);

  const fs::path target = folder / "elsewhere.wav";
  std::ofstream(target) << "not to be written";
  const fs::path link = folder / "link.wav";
  fs::create_symlink(target, link);
  EXPECT_FALSE(WriteOneSecond(link.string()));
  EXPECT_EQ(Contents(target), "not to be written");
  EXPECT_TRUE(fs::is_symlink(link));

  const fs::path dangling = folder / "dangling.wav";
  fs::create_symlink(folder / "none.wav", dangling);
  EXPECT_FALSE(WriteOneSecond(dangling.string()));
  EXPECT_FALSE(fs::exists(folder / "none.wav"));

  const fs::path fifo = folder / "fifo.wav";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(WriteOneSecond(fifo.string())) << "refused without waiting for a reader";
  const fs::path sub = folder / "folder.wav";
  fs::create_directory(sub);
  EXPECT_FALSE(WriteOneSecond(sub.string()));
  EXPECT_TRUE(fs::is_directory(sub));
}

// A file is written over in place: whatever stood there before (longer, shorter,
// a music file with its join or anything else), what is left is byte for byte
// the file written afresh.
TEST(WavWriterTest, AFileWrittenOverAnEarlierOneIsTheFileWrittenAfresh) {
  const fs::path folder = testsupport::MakeScratchFolder();
  const auto write = [](const fs::path& path, int64_t frames, int64_t join) {
    soundlib::WavWriter writer;
    if (!writer.Open(path.string()) || (join >= 0 && !writer.MarkJoin(join))) return false;
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i * 37) % 2000 - 1000);
    return writer.Write(samples.data(), frames) && writer.Close();
  };
  struct Case {
    const char* what;
    int64_t earlierFrames;  // -1: the earlier file is not a WAV file
    int64_t frames;
    int64_t join;
  };
  const Case cases[] = {
      {"a longer music file with a join", 200000, 44100, 30000},
      {"a shorter music file", 1000, 44100, 30000},
      {"a file of the same length", 44100, 44100, -1},
      {"a longer file that is no WAV file", -1, 5000, 4000},
      {"a longer file, and nothing written", 200000, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path fresh = folder / "fresh.wav";
    const fs::path over = folder / "over.wav";
    fs::remove(fresh);
    if (c.earlierFrames < 0)
      std::ofstream(over, std::ios::binary) << std::string(900000, 'x');
    else
      ASSERT_TRUE(write(over, c.earlierFrames, c.earlierFrames / 2));
    ASSERT_TRUE(write(fresh, c.frames, c.join));
    ASSERT_TRUE(write(over, c.frames, c.join));
    EXPECT_EQ(fs::file_size(over), fs::file_size(fresh));
    EXPECT_TRUE(Contents(over) == Contents(fresh));
    EXPECT_EQ(soundtest::ReadWav(over.string()).size(), static_cast<size_t>(c.frames));
  }
}

}  // namespace
