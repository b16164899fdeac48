// Rendering allocates nothing per note or per sample: what a music file costs in
// allocations does not grow with its length.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "SoundTest.h"
#include "soundlib/FWav.h"
#include "thekagen/ThekaTable.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
// The library's nothrow forms (std::stable_sort's buffer) must pair with the deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

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

TEST_F(AllocationTest, WithDroneAndThekaALongPhraseAllocatesNoMoreThanAShortOne) {
  ChangedSeeds();
  const std::string theka = File("clb.kzy");
  {
    std::ofstream file(theka, std::ios::binary);
    thekagen::WriteThekaFile(file);
  }
  ASSERT_EQ(soundlib::FWavLoadThekaData(theka, 4), 1);
  ASSERT_EQ(soundlib::FWavLoadDroneData("", 23, 1, "e", 1.0, 1), 1);
  auto allocations1 = [&](int count) {
    std::string notes, durations, text;
    for (int k = 0; k < count; ++k) {
      if (k > 0) notes += "  ", durations += " ", text += " ";
      notes += k % 2 ? "15" : "1318";
      durations += "500";
      text += k % 3 ? "1/15/0" : "1/16/0";
    }
    const long before = allocations.load();
    EXPECT_EQ(soundlib::FWavGenerateMusicFile1(count, notes, durations, 1, 16, text, 4, 500, File("A.wav"), 1, 0.2, 1,
                                               1000, 60, 80, 50),
              1);
    return allocations.load() - before;
  };
  allocations1(2);  // the drone's cycle and the strokes are rendered at their first use
  EXPECT_EQ(allocations1(200), allocations1(2));
}

}  // namespace
}  // namespace soundtest
