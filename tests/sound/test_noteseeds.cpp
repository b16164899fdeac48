// Loading the instruments' note seeds and preparing the sound library for a scale set.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SoundFixture.h"
#include "sound/NoteSeeds.h"
#include "shell/ShellState.h"
#include "support/ErrorNumber.h"

namespace {

using seedtest::FixtureSeedSpc;
using seedtest::FixtureSetValue;
using testsupport::ErrorNumber;
using testsupport::SoundLibCall;

class NoteSeedsTest : public seedtest::SeedsTest {
 protected:
  // Note 50 of "c" has more sample rows than its buffer holds; note 0 of "x" has a
  // SamPerCyc of 0 and note 1 fewer rows than its buffer.
  std::string ExtraContentRows() const override {
    return R"sql(
INSERT INTO "Note Specifications" VALUES ('x', 0, 0, 0.5), ('x', 1, 4, 0.0), ('y', 0, 1, 0.0), ('z', 0, 2, 0.0);
INSERT INTO "Sample Values" VALUES ('x', 0, 7, 9), ('x', 1, 30, 5), ('x', 1, 10, -3),
  ('y', 0, 0, 1), ('y', 0, 1, 2), ('y', 0, 2, 3);
)sql";
  }
};

TEST_F(NoteSeedsTest, EveryNoteIsHandedOverInOrderWithItsSpcAndSamples) {
  ASSERT_EQ(sound::fLoadNoteSeeds("c"), 1);
  ASSERT_EQ(soundLib.calls.size(), 43u);
  EXPECT_EQ(soundLib.calls[0].entry, "FWavFreeNoteSeedsMemory");
  EXPECT_EQ(soundLib.calls[0].key, "c");
  const auto loads = soundLib.Of("FWavLoadInstrNoteSeeds", "c");
  for (int id = 0; id < 42; ++id) {
    const SoundLibCall& c = loads[static_cast<size_t>(id)];
    EXPECT_EQ(c.note, id);
    EXPECT_DOUBLE_EQ(c.samPerCyc + c.value, FixtureSeedSpc('c', id));
    ASSERT_EQ(c.samples.size(), static_cast<size_t>(c.samPerCyc) + 1);
    EXPECT_EQ(c.samples[0], id);
    EXPECT_EQ(c.samples[1], -id);
    EXPECT_EQ(c.samples.back(), 0) << "entries past the last sample row stay 0";
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(NoteSeedsTest, TheSeedRowsAreReadOnceForEachOpeningOfTheContentDatabase) {
  ASSERT_EQ(sound::fLoadNoteSeeds("c"), 1);
  const auto first = soundLib.Of("FWavLoadInstrNoteSeeds", "c");
  // Loaded again with the file closed underneath: the same seeds, and nothing read.
  shell::DatabaseA.Close();
  soundLib.calls.clear();
  ASSERT_EQ(sound::fLoadNoteSeeds("c"), 1);
  ASSERT_EQ(soundLib.calls.size(), 43u);
  EXPECT_EQ(soundLib.calls[0].entry, "FWavFreeNoteSeedsMemory");
  const auto again = soundLib.Of("FWavLoadInstrNoteSeeds", "c");
  ASSERT_EQ(again.size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(again[i].note, first[i].note);
    EXPECT_EQ(again[i].samPerCyc, first[i].samPerCyc);
    EXPECT_EQ(again[i].value, first[i].value);
    EXPECT_EQ(again[i].samples, first[i].samples);
  }
  // Opened anew, the database is read again.
  AlterDatabases(R"sql(UPDATE "Sample Values" SET "Sample Value" = 77
                       WHERE "Instr Name" = 'c' AND "Note Id" = 3 AND "Sample Id" = 0;)sql",
                 "");
  soundLib.calls.clear();
  ASSERT_EQ(sound::fLoadNoteSeeds("c"), 1);
  EXPECT_EQ(soundLib.Of("FWavLoadInstrNoteSeeds", "c")[3].samples[0], 77);
  EXPECT_TRUE(messages.empty());
}

TEST_F(NoteSeedsTest, SamplesFillTheBufferInSampleIdOrderFromThePositionZero) {
  ASSERT_EQ(sound::fLoadNoteSeeds("x"), 1);
  const auto loads = soundLib.Of("FWavLoadInstrNoteSeeds");
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0].samples, (std::vector<int16_t>{9})) << "SamPerCyc 0 is passed with one entry";
  EXPECT_EQ(loads[1].samples, (std::vector<int16_t>{-3, 5, 0, 0, 0}));
}

TEST_F(NoteSeedsTest, FaultsOfTheSeedRowsAreErrors) {
  EXPECT_EQ(ErrorNumber([] { sound::fLoadNoteSeeds("y"); }), 9) << "three samples in a buffer of two";
  EXPECT_EQ(ErrorNumber([] { sound::fLoadNoteSeeds("z"); }), 3021) << "a note without samples";
  EXPECT_EQ(ErrorNumber([] { sound::fLoadNoteSeeds("q"); }), 3021) << "an instrument without notes";
  EXPECT_EQ(ErrorNumber([] { sound::fLoadIndividualNoteSeed("c", 42); }), 3021) << "a note without a row";
}

TEST_F(NoteSeedsTest, AFailedFreeReadsNoRowAndLoadsNothing) {
  soundLib.failWhen = [](const SoundLibCall& c) { return c.entry == "FWavFreeNoteSeedsMemory"; };
  EXPECT_EQ(sound::fLoadNoteSeeds("c"), 0);
  EXPECT_EQ(soundLib.calls.size(), 1u);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error Freeing Note Seeds Memory"}));
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(messages[0].buttons, vb::vbInformation);
}

TEST_F(NoteSeedsTest, AFailedLoadKeepsTheNotesBeforeItAndStops) {
  soundLib.failWhen = [](const SoundLibCall& c) { return c.entry == "FWavLoadInstrNoteSeeds" && c.note == 17; };
  EXPECT_EQ(sound::fLoadNoteSeeds("c"), 0);
  EXPECT_EQ(soundLib.Count("FWavLoadInstrNoteSeeds"), 18u);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error Loading Seed Data For c17"}));
}

TEST_F(NoteSeedsTest, OneNoteSeedIsReloadedAloneWithoutFreeingTheOthers) {
  ASSERT_EQ(sound::fLoadIndividualNoteSeed("e", 20), 1);
  ASSERT_EQ(soundLib.calls.size(), 1u);
  const SoundLibCall& c = soundLib.calls[0];
  EXPECT_EQ(c.entry, "FWavLoadInstrNoteSeeds");
  EXPECT_EQ(c.key, "e");
  EXPECT_EQ(c.note, 20);
  EXPECT_DOUBLE_EQ(c.samPerCyc + c.value, FixtureSeedSpc('e', 20));
  EXPECT_EQ(c.samples[0], 20);

  soundLib.failWhen = [](const SoundLibCall&) { return true; };
  EXPECT_EQ(sound::fLoadIndividualNoteSeed("c", 5), 0);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{"Error Loading Seed Data For c5"}));
}

TEST_F(NoteSeedsTest, PreparingASetLoadsAndTunesTheMainInstrumentThenTheDroneThenBuildsTheDrone) {
  sound::CurrMusicSetId = 7;
  sound::CurrTonicNoteId = 3;
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  EXPECT_TRUE(messages.empty());

  // The order of the calls: free c, 42 seeds of c, its tunings, then the same for e, the drone.
  std::vector<std::string> order;
  for (const auto& c : soundLib.calls)
    if (order.empty() || order.back() != c.entry + " " + c.key) order.push_back(c.entry + " " + c.key);
  EXPECT_EQ(order, (std::vector<std::string>{"FWavFreeNoteSeedsMemory c", "FWavLoadInstrNoteSeeds c", "FWavTuneNote c",
                                             "FWavFreeNoteSeedsMemory e", "FWavLoadInstrNoteSeeds e", "FWavTuneNote e",
                                             "FWavLoadDroneData e"}));
  // Set 7 (tonic 7) tunes notes 9 to 35 by its columns "00" to "26".
  for (const char* key : {"c", "e"}) {
    const int type = key[0] == 'c' ? 1 : 2;
    const auto tunes = soundLib.Of("FWavTuneNote", key);
    ASSERT_EQ(tunes.size(), 27u);
    for (int k = 0; k < 27; ++k) {
      EXPECT_EQ(tunes[static_cast<size_t>(k)].note, k + 9);
      EXPECT_EQ(tunes[static_cast<size_t>(k)].value, static_cast<double>(FixtureSetValue(7, type, k)));
    }
  }
  // The vector is the drone's and the tonic the drone row's.
  EXPECT_EQ(sound::NoteAdjustSPCs[9], FixtureSetValue(7, 2, 0));
  EXPECT_EQ(sound::CurrTonicNoteId, 7);
  EXPECT_EQ(soundLib.Of("FWavLoadDroneData")[0].note, 28);
}

TEST_F(NoteSeedsTest, AStoredUserSetThatHasGoneFallsBackToTheTonicsSetOnce) {
  sound::CurrTonicNoteId = 8;
  sound::CurrMusicSetId = 30;  // no rows in the user database
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
  EXPECT_EQ(sound::CurrMusicSetId, 8);
  EXPECT_EQ(soundLib.Of("FWavTuneNote", "c")[0].value, static_cast<double>(FixtureSetValue(8, 1, 0)));
  EXPECT_EQ(soundLib.Of("FWavTuneNote", "e")[0].value, static_cast<double>(FixtureSetValue(8, 2, 0)));
  int records = 0;
  for (const auto& line : Lines("ignoerr.txt")) records += line.rfind("Ignorable Error No.", 0) == 0 ? 1 : 0;
  EXPECT_EQ(records, 1) << "the drone's row is read from the set fallen back to";
}

struct StepFailure {
  const char* name;
  std::function<bool(const SoundLibCall&)> fails;
  std::vector<std::string> messages;
  size_t callsMade;  // calls up to and including the failing one
};

void PrintTo(const StepFailure& s, std::ostream* os) { *os << s.name; }

class NoteSeedsStepTest : public NoteSeedsTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(NoteSeedsStepTest, TheFirstFailingStepNamesItselfAndEndsThePreparation) {
  const StepFailure& s = GetParam();
  sound::CurrMusicSetId = 4;
  soundLib.failWhen = s.fails;
  EXPECT_EQ(sound::fCreateNoteSeedsForUse(), 0);
  EXPECT_EQ(Prompts(), s.messages);
  EXPECT_EQ(soundLib.calls.size(), s.callsMade);
  for (const auto& m : messages) {
    EXPECT_EQ(m.title, "Message");
    EXPECT_EQ(m.buttons, vb::vbInformation);
  }
}

bool Is(const SoundLibCall& c, const char* entry, const char* key) { return c.entry == entry && c.key == key; }

INSTANTIATE_TEST_SUITE_P(
    Steps, NoteSeedsStepTest,
    ::testing::Values(
        StepFailure{"free main", [](auto& c) { return Is(c, "FWavFreeNoteSeedsMemory", "c"); },
                    {"Error Freeing Note Seeds Memory", "Error loading Main Note Seeds"}, 1},
        StepFailure{"load main", [](auto& c) { return Is(c, "FWavLoadInstrNoteSeeds", "c") && c.note == 3; },
                    {"Error Loading Seed Data For c3", "Error loading Main Note Seeds"}, 5},
        StepFailure{"tune main", [](auto& c) { return Is(c, "FWavTuneNote", "c"); },
                    {"Error adjusting SPC", "Error adjusting Main Note Seeds"}, 44},
        StepFailure{"free drone", [](auto& c) { return Is(c, "FWavFreeNoteSeedsMemory", "e"); },
                    {"Error Freeing Note Seeds Memory", "Error loading Drone Note Seeds"}, 71},
        StepFailure{"load drone", [](auto& c) { return Is(c, "FWavLoadInstrNoteSeeds", "e") && c.note == 41; },
                    {"Error Loading Seed Data For e41", "Error loading Drone Note Seeds"}, 113},
        StepFailure{"tune drone", [](auto& c) { return Is(c, "FWavTuneNote", "e") && c.note == 7; },
                    {"Error adjusting SPC", "Error adjusting Drone Note Seeds"}, 115},
        StepFailure{"drone data", [](auto& c) { return c.entry == "FWavLoadDroneData"; },
                    {"Error in FWavLoadDroneData", "Error building Drone Data"}, 141}));

TEST_F(NoteSeedsTest, ProceduresTraceTheirNames) {
  TraceOnNow();
  ASSERT_EQ(sound::fCreateNoteSeedsForUse(), 1);
  ASSERT_EQ(sound::fLoadIndividualNoteSeed("c", 1), 1);
  std::string trace;
  for (const auto& line : Lines("errtrace.txt")) trace += line + "\n";
  for (const char* name : {"fCreateNoteSeedsForUse", "fLoadNoteSeeds", "sLoadNoteAdjustSPCVector", "fAdjustNoteSeeds",
                           "fBuildDroneData", "fLoadIndividualNoteSeed"}) {
    EXPECT_NE(trace.find(std::string("Entering ") + name), std::string::npos) << name;
  }
}

}  // namespace
