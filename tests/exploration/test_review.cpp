// The review of the ragas by group and the raga summary, through their form events and
// dispatcher, on the fixture content database: the group lists, the summary of a
// clicked raga, going back one level at a time, whatever the database selector says.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExplorationTest.h"
#include "common/CommonState.h"
#include "exploration/ReviewRagas.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"
#include "support/SqlFixture.h"

namespace explorationtest {
namespace {

using Names = std::vector<std::string>;

class ReviewTest : public ExplorationTest {
 protected:
  void SetUp() override { SetUpDatabases(Content::Fixture); }
  void TearDown() override {
    for (forms::Form* form : {shell::FormRagaInfoSummary, shell::FormReviewRagas})
      if (form != nullptr && form->Loaded()) form->Release();
    ExplorationTest::TearDown();
  }

  void Open() {
    int16_t action = 0;
    exploration::sReviewTechnicalData(action);
    ASSERT_EQ(shell::CurrFormId, 3);
  }
  // The learner's click on a raga of a group list.
  void Click(const char* list, const std::string& raga) {
    auto& l = shell::FormReviewRagas->Get<forms::ListControl>(list);
    ASSERT_TRUE(shell::FormReviewRagas->Visible());
    for (int16_t i = 0; i < l.ListCount(); ++i) {
      if (l.List(i) != raga) continue;
      static_cast<QListWidget*>(l.Widget())->setCurrentRow(i);
      return;
    }
    ADD_FAILURE() << raga << " is not in " << list;
  }
  void GoBack() { Front().Ctl("cReturn").RaiseFromUser(forms::Event::Click); }

  struct Summary {
    std::string raga, thata, time;
    Names similar, compositions, filmSongs;
    bool operator==(const Summary&) const = default;
    friend void PrintTo(const Summary& s, std::ostream* os) {
      *os << s.raga << " / " << s.thata << " / " << s.time << " / " << ::testing::PrintToString(s.similar) << " / "
          << ::testing::PrintToString(s.compositions) << " / " << ::testing::PrintToString(s.filmSongs);
    }
  };
  Summary Shown() {
    forms::Form& f = *shell::FormRagaInfoSummary;
    return {f.Ctl("cRaga").Caption(),  f.Ctl("cThata").Caption(), f.Ctl("cTime").Caption(),
            Lines("cSimRagas"),        Lines("cCompositions"),     Lines("cFilmSongs")};
  }
};

TEST_F(ReviewTest, ListsEachGroupAndEveryRagaByName) {
  sound::CallbackCode = 12;
  Open();
  EXPECT_EQ(Front().Caption(), "Review Ragas");
  EXPECT_EQ(shell::ParentFormId[3 - 1], 1);
  EXPECT_FALSE(mainForm->Visible());
  EXPECT_EQ(Lines("cRagaList1"), (Names{"Bhairav", "Damaged", "Yaman"}));
  EXPECT_EQ(Lines("cRagaList2"), (Names{"Bageshri"}));
  EXPECT_EQ(Lines("cRagaList3"), (Names{"Malkauns"}));
  EXPECT_EQ(Lines("cRagaList"), (Names{"Bageshri", "Bhairav", "Damaged", "Yaman"}));
  EXPECT_EQ(Front().Ctl("Label3").Caption(), "30 Ragas available in Group 1");
  EXPECT_EQ(Front().Ctl("Label8").Caption(), "Ragas Available in Velmora");
  EXPECT_EQ(sound::CallbackCode, 12) << "the review plays nothing";
}

// A click shows the raga's summary; Go Back returns to the lists, where another raga,
// or the same again, can be clicked; two Go Backs lead to the main form.
TEST_F(ReviewTest, AClickShowsTheRagasSummaryAndGoBackLeavesOneLevelAtATime) {
  Open();
  Click("cRagaList1", "Yaman");
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Front().Caption(), "Raga Information Summary");
  EXPECT_EQ(shell::ParentFormId[15 - 1], 3);
  EXPECT_FALSE(shell::FormReviewRagas->Visible());
  EXPECT_EQ(common::CurrRagaIndex, 1);
  EXPECT_EQ(Shown(), (Summary{"Yaman", "Kalyan", "18-21 h", {"Shuddha Kalyan"}, {"Eri Aali", "No Notation"},
                              {"A Film Song"}}));

  GoBack();
  ASSERT_EQ(shell::CurrFormId, 3);
  EXPECT_FALSE(shell::FormRagaInfoSummary->Loaded());
  EXPECT_EQ(Lines("cRagaList1"), (Names{"Bhairav", "Damaged", "Yaman"}));
  EXPECT_EQ(Front().Get<forms::ListControl>("cRagaList1").ListIndex(), -1) << "the line clicked is let go";

  Click("cRagaList1", "Bhairav");
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Shown(), (Summary{"Bhairav", "", "06-09 h", {"Unnotated Raga"}, {}, {"Unnotated Song"}}));
  GoBack();
  Click("cRagaList1", "Bhairav");
  ASSERT_EQ(shell::CurrFormId, 15) << "the same raga can be clicked again";
  GoBack();
  Click("cRagaList2", "Bageshri");
  EXPECT_EQ(Shown(), (Summary{"Bageshri", "Kafi", "21-24 h", {}, {}, {}}));

  // A heading label clicked calls nothing.
  Front().Ctl("Label7").RaiseFromUser(forms::Event::Click);
  EXPECT_EQ(shell::CurrFormId, 15);
  GoBack();
  GoBack();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_TRUE(mainForm->Visible());
  EXPECT_FALSE(shell::FormReviewRagas->Loaded());
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// The list of all ragas takes a click as the group lists do: the raga's summary, and
// back to the lists with the line let go.
TEST_F(ReviewTest, AClickInTheListOfAllRagasShowsTheRagasSummary) {
  Open();
  Click("cRagaList", "Bageshri");
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Shown(), (Summary{"Bageshri", "Kafi", "21-24 h", {}, {}, {}}));
  GoBack();
  ASSERT_EQ(shell::CurrFormId, 3);
  EXPECT_EQ(Front().Get<forms::ListControl>("cRagaList").ListIndex(), -1) << "the line clicked is let go";
  Click("cRagaList", "Yaman");
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Shown().raga, "Yaman");
  GoBack();
  Click("cRagaList", "Yaman");
  EXPECT_EQ(shell::CurrFormId, 15) << "the same raga can be clicked again";
  // From the keyboard: the arrow keys move through the list, Enter shows the raga reached.
  GoBack();
  ASSERT_EQ(shell::CurrFormId, 3);
  auto* view = static_cast<QListWidget*>(Front().Ctl("cRagaList").Widget());
  view->setFocus();
  for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
  }
  EXPECT_EQ(shell::CurrFormId, 3) << "moving is not choosing";
  ASSERT_NE(view->currentItem(), nullptr);
  const std::string reached = view->currentItem()->text().toStdString();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &enter);
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Shown().raga, reached);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

// The summary reads the content database whatever the selector was left at; a raga
// without a technical row, or without a time, shows empty fields but its lists.
TEST_F(ReviewTest, TheSummaryReadsTheContentWhateverTheSelectorAndMissingDataStaysEmpty) {
  testsupport::CloseDatabases();
  testsupport::RunSql(Path("mrA.kzy"), R"sql(
    UPDATE "Raga - Technical Information" SET "Appropriate time" = NULL WHERE "Raga Index" = 3;
    INSERT INTO "Raga - Additional Information" VALUES (4, 'Night Song', 2, 0);)sql");
  shell::DatabaseA = dao::Database::OpenDatabase(Path("mrA.kzy"), true, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(Path("mrB.kzy"), true, false, "MS ACCESS;PWD=x");
  common::CurrDBSelector = 2;
  Open();
  Click("cRagaList1", "Yaman");
  EXPECT_EQ(Shown().thata, "Kalyan");
  GoBack();
  Click("cRagaList3", "Malkauns");
  ASSERT_EQ(shell::CurrFormId, 15);
  EXPECT_EQ(Shown(), (Summary{"Malkauns", "", "", {}, {"Night Song"}, {}}));
  GoBack();
  Click("cRagaList2", "Bageshri");
  EXPECT_EQ(Shown(), (Summary{"Bageshri", "Kafi", "", {}, {}, {}}));
  EXPECT_EQ(common::CurrDBSelector, 2) << "the selector is left alone";
  EXPECT_EQ(halts, 0);
  EXPECT_TRUE(messages.empty()) << ::testing::PrintToString(MessageTexts());
}

TEST_F(ReviewTest, TheCloseBoxOfTheSummaryGoesBackToTheLists) {
  Open();
  Click("cRagaList1", "Yaman");
  ASSERT_EQ(shell::CurrFormId, 15);
  shell::FormRagaInfoSummary->CloseFromUser();
  EXPECT_EQ(shell::CurrFormId, 3);
  EXPECT_TRUE(shell::FormReviewRagas->Visible());
  shell::FormReviewRagas->CloseFromUser();
  EXPECT_EQ(shell::CurrFormId, 1);
  EXPECT_TRUE(mainForm->Visible());
}

}  // namespace
}  // namespace explorationtest
