// Rendering allocates nothing per note or per sample: what a music file costs in
// allocations does not grow with its length.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "SoundTest.h"
#include "soundlib/FWav.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace soundtest {
namespace {

class AllocationTest : public SoundLibTest {
 protected:
  long AllocationsOf(int count, const std::string& notes, const std::string& durations, const std::string& path) {
    const long before = allocations.load();
    EXPECT_EQ(soundlib::FWavGenerateMusicFile(count, notes, durations, path, 1, 0.2, 1, 1000, 60, 80, 50), 1);
    return allocations.load() - before;
  }
};

TEST_F(AllocationTest, ALongPhraseAllocatesNoMoreThanAShortOne) {
  std::string longNotes;
  std::string longDurations;
  for (int k = 0; k < 300; ++k) {
    if (k > 0) longNotes += "  ", longDurations += " ";
    longNotes += k % 4 == 3 ? "1315" : (k % 2 ? "15" : "18");
    longDurations += "60";
  }
  const std::string path = File("A.wav");
  AllocationsOf(300, longNotes, longDurations, path);
  const long shortPhrase = AllocationsOf(2, "15  1318", "500 500", path);
  const long longPhrase = AllocationsOf(300, longNotes, longDurations, path);
  EXPECT_EQ(longPhrase, shortPhrase);
  EXPECT_GT(shortPhrase, 0) << "the count sees the allocations of a call";
}

}  // namespace
}  // namespace soundtest
