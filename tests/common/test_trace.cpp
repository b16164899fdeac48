#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <stdexcept>

#include "common/CommonState.h"
#include "common/Trace.h"
#include "platform/vb/Conversion.h"
#include "support/Scratch.h"

namespace {

using testsupport::ProgramEnded;

class TraceTest : public testsupport::ScratchTest {};

using TextLines = std::vector<std::string>;

TEST_F(TraceTest, NestedProceduresIndentFourBlanksPerLevel) {
  TraceOnNow();
  {
    common::ProcTrace a("A");
    { common::ProcTrace b("B"); }
  }
  EXPECT_EQ(Lines("errtrace.txt"),
            (TextLines{"    Entering A(1)", "        Entering B(2)", "        Exiting(2)", "    Exiting(1)"}));
  EXPECT_EQ(common::TraceDepth, 0);
  EXPECT_EQ(common::TraceIndent, "");
  EXPECT_EQ(common::CurrProcName, "B");  // not restored on return
}

TEST_F(TraceTest, TracingOffWritesNothingAndKeepsDepth) {
  {
    common::ProcTrace a("A");
    common::ProcTrace b("B");
  }
  EXPECT_FALSE(vb::FileExists(Path("errtrace.txt")));
  EXPECT_EQ(common::TraceDepth, 0);
  EXPECT_EQ(common::TraceIndent, "");
}

TEST_F(TraceTest, ExitWrittenWithAShortIndentKeepsDepth) {
  {
    common::ProcTrace a("A");
    TraceOnNow();  // switched on inside the procedure
  }
  EXPECT_EQ(Lines("errtrace.txt"), (TextLines{"Exiting(0)"}));
  EXPECT_EQ(common::TraceDepth, 0);
  EXPECT_EQ(common::TraceIndent, "");
}

TEST_F(TraceTest, AnErrorUnwindingAProcedureWritesNoExitLine) {
  TraceOnNow();
  common::RunEvent([] {
    common::ProcTrace a("A");
    vb::Signal(vb::kNoCurrentRecord);
  });
  const auto lines = Lines("errtrace.txt");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "    Entering A(1)");
  for (const auto& l : lines) EXPECT_EQ(l.find("Exiting(1)"), std::string::npos);
}

TEST_F(TraceTest, StartHeaderReplacesTheFile) {
  vb::AppendLines(Path("errtrace.txt"), {"old run"});
  common::StartErrorTraceFile(Path("errtrace.txt"));
  const auto lines = Lines("errtrace.txt");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Opened Error Trace File");
  EXPECT_TRUE(std::regex_match(lines[2], std::regex(R"([A-Z][a-z]+day, [A-Z][a-z]+ \d{1,2}, \d{4} +\d{1,2}:\d\d:\d\d [AP]M)")))
      << lines[2];
  std::smatch time;
  ASSERT_TRUE(std::regex_search(lines[2], time, std::regex(R"(\d{1,2}:\d\d:\d\d)")));
  EXPECT_EQ(time.position(0) % 14, 0);  // the time starts a print zone
  EXPECT_EQ(lines[3], "");
}

// A procedure whose statement overflows: the error is passed over and it goes on.
int16_t fOverflowTwice() {
  common::ProcTrace t("fOverflowTwice");
  int16_t x = vb::CInt(100000.0);
  x = static_cast<int16_t>(x + vb::IntDiv(1, 0));
  return static_cast<int16_t>(x + 7);
}

TEST_F(TraceTest, IgnorableErrorsAreNumberedAndTheProcedureGoesOn) {
  EXPECT_EQ(fOverflowTwice(), 7);
  EXPECT_EQ(common::IgnorableErrorCount, 2);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(halts, 0);
  const auto lines = Lines("ignoerr.txt");
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Ignorable Error No. 1");
  EXPECT_EQ(lines[3], "Called form 'fOverflowTwice'");
  EXPECT_EQ(lines[4], "Overflow");
  EXPECT_EQ(lines[5], " 6 ");
  EXPECT_EQ(lines[6], "Velmora");
  EXPECT_EQ(lines[7], " 0 ");
  EXPECT_EQ(lines[9], "Ignorable Error No. 2");
  EXPECT_EQ(lines[12], "Division by zero");
  EXPECT_EQ(lines[13], " 11 ");
}

TEST_F(TraceTest, QuerySyntaxErrorIsIgnorable) {
  vb::Signal(vb::kQuerySyntax);
  EXPECT_EQ(common::IgnorableErrorCount, 1);
}

TEST_F(TraceTest, AReportedErrorNamesTheProcedureWhereItArose) {
  bool ranOn = false;
  bool ok = common::RunEvent([&] {
    common::ProcTrace t("fGetRagaName");
    vb::Signal(vb::kNoCurrentRecord);
    ranOn = true;
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(ranOn);
  EXPECT_EQ(halts, 1);
  const auto lines = Lines("errtrace.txt");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[2], "Called form 'fGetRagaName'");
  EXPECT_EQ(lines[3], "No current record.");
  EXPECT_EQ(lines[4], " 3021 ");
  EXPECT_EQ(lines[5], "Velmora");
  EXPECT_EQ(lines[6], " 0 ");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Message");
  EXPECT_EQ(messages[0].buttons, vb::vbInformation);
  EXPECT_EQ(messages[0].prompt,
            "A program error has occured in procedure 'fGetRagaName'. Program execution will be halted, and error "
            "trace will be appended to file 'errtrace.txt'. Please e-mail that file to support@velmora.example and "
            "try running Velmora again.");
  EXPECT_EQ(common::ReportedErrorCount, 1);
  EXPECT_TRUE(common::ProgramHalted());
}

TEST_F(TraceTest, AnErrorAfterACallNamesTheProcedureEnteredLast) {
  bool callerRanOn = false;
  common::RunEvent([&] {
    common::ProcTrace outer("fOuter");
    [] {
      common::ProcTrace inner("fInner");
    }();
    [] {
      common::ProcTrace t("fFails");
      // fFails calls a helper, then fails: the helper's name is reported.
      { common::ProcTrace h("fHelper"); }
      vb::Raise(vb::kInvalidUseOfNull);
    }();
    callerRanOn = true;
  });
  EXPECT_FALSE(callerRanOn);  // a halt unwinds the whole event
  EXPECT_EQ(Lines("errtrace.txt").at(2), "Called form 'fHelper'");
}

TEST_F(TraceTest, ErrorsOfOtherKindsAreReportedToo) {
  common::RunEvent([] {
    common::ProcTrace t("sSomething");
    throw std::runtime_error("broken invariant");
  });
  const auto lines = Lines("errtrace.txt");
  EXPECT_EQ(lines.at(3), "broken invariant");
  EXPECT_EQ(lines.at(4), " 51 ");
}

TEST_F(TraceTest, EventsAfterAHaltDoNotRun) {
  common::RunEvent([] { vb::Raise(vb::kNoCurrentRecord); });
  bool ran = false;
  EXPECT_FALSE(common::RunEvent([&] { ran = true; }));
  EXPECT_FALSE(ran);
}

TEST_F(TraceTest, PreparatoryStepErrorShowsItsMessageAndIsReported) {
  common::RunEvent([] {
    common::ProcTrace t("fStep");
    vb::Signal(vb::kPreparatoryStep);
  });
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].prompt,
            "you have encountered a program error that requires you to carry out another preparatory step. Please "
            "contact Altrica Inc. at support@velmora.example. You will be supplied with the necessary information.");
  EXPECT_NE(messages[1].prompt.find("procedure 'fStep'"), std::string::npos);
  EXPECT_EQ(halts, 1);  // halting twice is harmless
}

TEST_F(TraceTest, SeventhReportStopsTheProgramWithoutAMessage) {
  for (int i = 0; i < 6; ++i) {
    common::ResetHalt();
    common::RunEvent([] { vb::Raise(vb::kNoCurrentRecord); });
  }
  EXPECT_EQ(common::ReportedErrorCount, 6);
  EXPECT_EQ(messages.size(), 6u);
  common::ResetHalt();
  EXPECT_THROW(common::RunEvent([] { vb::Raise(vb::kNoCurrentRecord); }), ProgramEnded);
  EXPECT_EQ(messages.size(), 6u);
  const auto lines = Lines("errtrace.txt");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "");
  EXPECT_EQ(lines.back(), "Error trap loop encountered. Stopping program.");
}

TEST_F(TraceTest, TraceFilePastTwoMillionBytesStopsTheProgram) {
  {
    std::ofstream big(Path("errtrace.txt"), std::ios::binary);
    big << std::string(2000001, 'x');
  }
  TraceOnNow();
  EXPECT_THROW(common::ProcTrace t("A"), ProgramEnded);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt.rfind("Velmora seems to be caught in a loop.", 0), 0u);
  EXPECT_NE(messages[0].prompt.find("support@velmora.example for debugging the problem. Thank you."),
            std::string::npos);
  EXPECT_EQ(vb::FileLen(Path("errtrace.txt")), 2000001u);  // nothing more written
}

TEST_F(TraceTest, TraceFileAtTheLimitStillTakesLines) {
  {
    std::ofstream big(Path("errtrace.txt"), std::ios::binary);
    big << std::string(2000000, 'x');
  }
  TraceOnNow();
  common::CurrProcName = "A";
  common::sWriteTrace(1);
  EXPECT_TRUE(messages.empty());
  EXPECT_GT(vb::FileLen(Path("errtrace.txt")), 2000000u);
}

TEST_F(TraceTest, ErrorProceduresTraceButKeepTheFailingName) {
  TraceOnNow();
  common::CurrProcName = "fBefore";
  vb::Signal(vb::kOverflow);
  EXPECT_EQ(common::CurrProcName, "fBefore");
  const auto lines = Lines("errtrace.txt");
  EXPECT_EQ(lines.at(0), "    Entering fIgnorable(1)");
  EXPECT_EQ(lines.at(1), "        Entering sFillErrorParam(2)");
}

}  // namespace
