// Each fuzz target on every input of its seed corpus (fuzz/corpus/<target>) and of its
// regression folder (fuzz/regressions/<target>: inputs that once broke a rule or crashed,
// kept so that the fault stays mended): each input runs through, breaking no rule.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzTarget.h"
#include "common/CommonState.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* folder : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(VELMORA_SOURCE_DIR) / "fuzz" / folder / target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class FuzzCorpus : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    common::TraceOn = 0;
    fuzz::FailHandler = [this](const std::string& what) { ADD_FAILURE() << input_ << ": " << what; };
  }
  void TearDown() override { fuzz::FailHandler = {}; }
  std::string input_;
};

TEST_P(FuzzCorpus, EveryInputRunsThroughKeepingItsRules) {
  const fuzz::Target* target = fuzz::Find(GetParam());
  ASSERT_NE(target, nullptr);
  const auto inputs = Inputs(GetParam());
  EXPECT_FALSE(inputs.empty()) << "the target has no seed corpus";
  for (const fs::path& file : inputs) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    input_ = file.filename().string();
    target->run(bytes);
  }
}

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const fuzz::Target& t : fuzz::Targets()) names.push_back(t.name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, FuzzCorpus, ::testing::ValuesIn(Names()),
                         [](const auto& info) { return info.param; });

}  // namespace
