#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "platform/vb/Conversion.h"
#include "platform/vb/DateTime.h"
#include "platform/vb/Error.h"
#include "platform/vb/Folders.h"
#include "platform/vb/Variant.h"
#include "support/ErrorNumber.h"

namespace {

using testsupport::ErrorNumber;

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  struct Case {
    double in, out;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
               {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7}, {1e10 + 0.5, 1e10}};
  for (const auto& c : cases) EXPECT_EQ(vb::RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Conversion, CIntAndCLngRangeLimits) {
  EXPECT_EQ(vb::CInt(32767.4), 32767);
  EXPECT_EQ(vb::CInt(-32768.5), -32768);  // the tie goes to the even -32768
  EXPECT_EQ(vb::CInt(12.5), 12);
  EXPECT_EQ(vb::CLng(2147483647.0), 2147483647);
  EXPECT_EQ(ErrorNumber([] { vb::CInt(32767.5); }), vb::kOverflow);
  EXPECT_EQ(ErrorNumber([] { vb::CInt(-32768.6); }), vb::kOverflow);
  EXPECT_EQ(ErrorNumber([] { vb::CLng(2147483648.0); }), vb::kOverflow);
  EXPECT_EQ(ErrorNumber([] { vb::CInt(std::nan("")); }), vb::kOverflow);
  EXPECT_EQ(vb::CInt(std::string_view(" 12.5 ")), 12);
  EXPECT_EQ(ErrorNumber([] { vb::CInt(std::string_view("12abc")); }), vb::kTypeMismatch);
}

TEST(Conversion, IntegerDivisionByZeroRaisesEleven) {
  EXPECT_EQ(vb::IntDiv(7, 2), 3);
  EXPECT_EQ(vb::IntDiv(-7, 2), -3);
  EXPECT_EQ(vb::IntDiv(7.5, 2), 4);  // operands are rounded first: 8 \ 2
  EXPECT_EQ(vb::Mod(-7, 3), -1);
  EXPECT_EQ(ErrorNumber([] { vb::IntDiv(7, 0); }), vb::kDivisionByZero);
  EXPECT_EQ(ErrorNumber([] { vb::Mod(7, 0.4); }), vb::kDivisionByZero);
}

bool g_passOver = false;
bool PassOver() { return g_passOver; }

TEST(Conversion, APassedOverErrorGivesANeutralValueAndGoesOn) {
  vb::SetErrorFilter(&PassOver);
  g_passOver = true;
  EXPECT_EQ(vb::CInt(1e9), 0);
  EXPECT_EQ(vb::IntDiv(1, 0), 0);
  EXPECT_EQ(vb::Err().Number, 0);  // cleared once passed over
  g_passOver = false;
  EXPECT_EQ(ErrorNumber([] { vb::CInt(1e9); }), vb::kOverflow);
  EXPECT_EQ(vb::Err().Number, vb::kOverflow);
  vb::SetErrorFilter(nullptr);
}

TEST(Conversion, ValReadsTheLeadingNumber) {
  struct Case {
    const char* in;
    double out;
  } cases[] = {{"12abc", 12},   {"  1 2 3", 123}, {"&HFF", 255},   {"&HFFFF", -1}, {"&H10000", 65536},
               {"&O17", 15},    {"1.5E2", 150},   {"1.5D2", 150},  {"2e", 2},      {"abc", 0},
               {"", 0},         {"-3.7x", -3.7},  {".5", 0.5},     {"1.2.3", 1.2}, {"+4", 4},
               {"\t7\n", 7},    {"0050", 50},     {"1e-2", 0.01}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(vb::Val(c.in), c.out) << c.in;
}

TEST(Conversion, IsNumericWantsTheWholeText) {
  EXPECT_TRUE(vb::IsNumeric(" 12 "));
  EXPECT_TRUE(vb::IsNumeric("-1.5E3"));
  EXPECT_FALSE(vb::IsNumeric(""));
  EXPECT_FALSE(vb::IsNumeric("12a"));
  EXPECT_FALSE(vb::IsNumeric("."));
}

TEST(Formatting, GeneralNumberFormat) {
  struct Case {
    double in;
    const char* out;
  } cases[] = {{0, "0"},         {0.5, "0.5"},         {1, "1"},      {100, "100"},
               {-2.25, "-2.25"}, {0.1 + 0.2, "0.3"},   {1e20, "1E+20"}, {1.5e-7, "1.5E-07"},
               {123456789012345.0, "123456789012345"}, {1.0 / 3, "0.333333333333333"}};
  for (const auto& c : cases) EXPECT_EQ(vb::FormatGeneral(c.in), c.out) << c.in;
  EXPECT_EQ(vb::FormatGeneralSingle(0.1f), "0.1");
  EXPECT_EQ(vb::FormatGeneralSingle(1.0f / 3), "0.3333333");
}

TEST(Formatting, PrintedNumbersCarryBlanks) {
  EXPECT_EQ(vb::PrintNumber(3021), " 3021 ");
  EXPECT_EQ(vb::PrintNumber(0), " 0 ");
  EXPECT_EQ(vb::PrintNumber(-5), "-5 ");
  EXPECT_EQ(vb::Str(1.5), " 1.5");
}

TEST(Formatting, PrintZonesAre14Wide) {
  EXPECT_EQ(vb::PrintZones("abc", "x"), "abc" + std::string(11, ' ') + "x");
  EXPECT_EQ(vb::PrintZones(std::string(13, 'a'), "x").find('x'), 14u);
  // A text that fills its zone moves on to the zone after the next column.
  EXPECT_EQ(vb::PrintZones(std::string(14, 'a'), "x").find('x'), 28u);
  EXPECT_EQ(vb::PrintZones(std::string(27, 'a'), "x").find('x'), 28u);
}

TEST(Formatting, DateLineHasLongDateAndLongTime) {
  std::tm tm{};
  tm.tm_year = 2026 - 1900;
  tm.tm_mon = 11;
  tm.tm_mday = 1;
  tm.tm_hour = 14;
  tm.tm_min = 5;
  tm.tm_sec = 9;
  tm.tm_isdst = -1;
  std::time_t t = std::mktime(&tm);
  EXPECT_EQ(vb::LongDate(t), "Tuesday, December 1, 2026");
  EXPECT_EQ(vb::LongTime(t), "2:05:09 PM");
  EXPECT_EQ(vb::DateLine(t), "Tuesday, December 1, 2026   2:05:09 PM");
}

TEST(VariantValues, ConversionsFollowTheRuntime) {
  EXPECT_EQ(vb::Variant().Type(), vb::VarType::Empty);
  EXPECT_EQ(vb::Variant(vb::Null).Type(), vb::VarType::Null);
  EXPECT_EQ(vb::Variant(int16_t{3}).Type(), vb::VarType::Integer);
  EXPECT_EQ(vb::Variant(int32_t{3}).Type(), vb::VarType::Long);
  EXPECT_EQ(vb::Variant(1.5f).Type(), vb::VarType::Single);
  EXPECT_EQ(vb::Variant("x").Type(), vb::VarType::String);
  EXPECT_EQ(vb::Variant(true).Type(), vb::VarType::Boolean);
  EXPECT_EQ(vb::Variant().ToString(), "");
  EXPECT_EQ(vb::Variant().ToInt(), 0);
  EXPECT_EQ(vb::Variant("12").ToInt(), 12);
  EXPECT_EQ(vb::Variant(true).ToInt(), -1);
  EXPECT_EQ(vb::Variant(2.5).ToInt(), 2);
  EXPECT_EQ(vb::Variant(0.75f).ToString(), "0.75");
  EXPECT_EQ(vb::Variant(false).ToString(), "False");
  EXPECT_EQ(ErrorNumber([] { vb::Variant(vb::Null).ToInt(); }), vb::kInvalidUseOfNull);
  EXPECT_EQ(ErrorNumber([] { vb::Variant(vb::Null).ToString(); }), vb::kInvalidUseOfNull);
  EXPECT_EQ(ErrorNumber([] { vb::Variant("S R").ToDouble(); }), vb::kTypeMismatch);
  EXPECT_EQ(vb::NzString(vb::Variant(vb::Null), "none"), "none");
  EXPECT_EQ(vb::NzDouble(vb::Variant("2.5")), 2.5);
}

TEST(Folders, UserDataAndTemporaryFoldersArePrivate) {
  namespace fs = std::filesystem;
  fs::path home = fs::current_path() / "scratch" / "home-folder";
  fs::remove_all(home);
  setenv("VELMORA_HOME", home.c_str(), 1);
  EXPECT_EQ(vb::UserDataFolderPath(), home.string());
  struct stat st {};
  ASSERT_EQ(stat(home.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  unsetenv("VELMORA_HOME");

  std::string temp = vb::SessionTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '/');
  EXPECT_EQ(vb::SessionTempFolder(), temp);  // one folder for the whole run
  ASSERT_EQ(stat(temp.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  vb::RemoveSessionTempFolder();
  EXPECT_FALSE(fs::exists(temp));
}

}  // namespace

namespace {

TEST(Folders, AnExistingDataFolderKeepsItsPermissions) {
  namespace fs = std::filesystem;
  fs::path home = fs::current_path() / "scratch" / "existing-home";
  fs::remove_all(home);
  fs::create_directories(home);
  fs::permissions(home, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
                  fs::perm_options::replace);
  setenv("VELMORA_HOME", home.c_str(), 1);
  EXPECT_EQ(vb::UserDataFolderPath(), home.string());
  unsetenv("VELMORA_HOME");
  struct stat st {};
  ASSERT_EQ(stat(home.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0750u);
}

TEST(Folders, WithoutAnyHomeFolderTheDataFolderIsAnError) {
  const char* oldHome = std::getenv("HOME");
  const std::string saved = oldHome ? oldHome : "";
  unsetenv("VELMORA_HOME");
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(ErrorNumber([] { vb::UserDataFolderPath(); }), vb::kPathNotFound);
  if (oldHome) setenv("HOME", saved.c_str(), 1);
}

TEST(Folders, TheTemporaryFolderFallsBackToTheGivenFolder) {
  namespace fs = std::filesystem;
  vb::RemoveSessionTempFolder();
  fs::path fallback = fs::current_path() / "scratch" / "temp-fallback";
  fs::remove_all(fallback);
  fs::create_directories(fallback);
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string saved = oldTmp ? oldTmp : "";
  setenv("TMPDIR", "/nonexistent/velmora-test", 1);
  const std::string temp = vb::SessionTempFolder(fallback.string());
  if (oldTmp) setenv("TMPDIR", saved.c_str(), 1); else unsetenv("TMPDIR");
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.rfind(fallback.string(), 0), 0u) << temp;
  vb::RemoveSessionTempFolder();
}

}  // namespace
