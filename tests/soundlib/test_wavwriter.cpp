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

}  // namespace
