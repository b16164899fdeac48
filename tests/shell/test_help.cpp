// F1 opens the help window on every screen, with the help text of the share folder.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "ShellRun.h"
#include "platform/vb/Folders.h"
#include "shell/Help.h"
#include "shell/ScreenForms.h"

namespace shelltest {
namespace {

class HelpTest : public ShellRunTest {
 protected:
  void TearDown() override {
    if (QDialog* help = shell::HelpWindow()) help->hide();
    ShellRunTest::TearDown();
  }

  void PressF1(QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    Settle();
  }

  std::string HelpText() const {
    QDialog* help = shell::HelpWindow();
    if (help == nullptr) return "";
    return help->findChild<QTextBrowser*>()->toPlainText().toStdString();
  }
};

// A help file far larger than the program's own is told, not read: F1 answers at once.
TEST_F(HelpTest, AHugeHelpFileIsToldAndNotRead) {
  {
    std::ofstream huge(Share(shell::kHelpFileName), std::ios::binary);
    const std::string paragraph = "<p>help text of no end</p>\n";
    for (qint64 written = 0; written <= shell::kLargestHelpFile; written += static_cast<qint64>(paragraph.size()))
      huge << paragraph;
  }
  ASSERT_TRUE(Start());
  shell::ShowHelp();
  Settle();
  EXPECT_NE(HelpText().find("\"" + Share(shell::kHelpFileName) + "\" is too large"), std::string::npos) << HelpText();
  EXPECT_EQ(HelpText().find("help text of no end"), std::string::npos);
  // The What's This text of a topic is taken from the same file, and told the same way.
  const std::string topic = shell::HelpTopicText(51);
  EXPECT_NE(topic.find("is too large"), std::string::npos) << topic;
}

TEST_F(HelpTest, F1OnAnyScreenShowsTheHelpText) {
  fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName, Share(shell::kHelpFileName));
  ASSERT_TRUE(Start());
  PressF1(Main().Window());
  ASSERT_NE(shell::HelpWindow(), nullptr);
  EXPECT_TRUE(shell::HelpWindow()->isVisible());
  EXPECT_NE(HelpText().find("Press F1"), std::string::npos) << HelpText();

  shell::HelpWindow()->hide();
  common::RunEvent([] { shell::OpenScreenForm(28); });
  Settle();
  PressF1(shell::FormMainOperations->Surface());
  EXPECT_TRUE(shell::HelpWindow()->isVisible()) << "also on a screen opened over the main form";
  EXPECT_EQ(shell::CurrFormId, 28) << "the screen stays in front of the program";
  EXPECT_FALSE(common::ProgramHalted());
}

// F1 opens the section of the screen in front ("form-" and the form's name); Back and
// Forward go through the sections read.
TEST_F(HelpTest, F1OpensTheSectionOfTheScreenInFrontAndBackAndForwardGoThroughThem) {
  fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName, Share(shell::kHelpFileName));
  ASSERT_TRUE(Start());
  PressF1(Main().Window());
  auto* text = shell::HelpWindow()->findChild<QTextBrowser*>();
  EXPECT_EQ(text->source().fragment().toStdString(), "form-Velmora");
  const int mainAt = text->verticalScrollBar()->value();
  EXPECT_GT(mainAt, 0) << "not the top of the help";

  common::RunEvent([] { shell::OpenScreenForm(28); });
  Settle();
  PressF1(shell::FormMainOperations->Surface());
  EXPECT_EQ(text->source().fragment().toStdString(), "form-MainOperations");
  const int illustrationAt = text->verticalScrollBar()->value();
  EXPECT_GT(illustrationAt, mainAt) << "another section, further down";

  auto* back = shell::HelpWindow()->findChild<QPushButton*>("HelpBack");
  auto* forward = shell::HelpWindow()->findChild<QPushButton*>("HelpForward");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(forward, nullptr);
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());
  back->click();
  Settle();
  EXPECT_EQ(text->source().fragment().toStdString(), "form-Velmora");
  EXPECT_TRUE(forward->isEnabled());
  forward->click();
  Settle();
  EXPECT_EQ(text->source().fragment().toStdString(), "form-MainOperations");
}

// A screen whose section the help has no anchor for yet opens the help at its top.
TEST_F(HelpTest, AScreenWithoutASectionOpensTheHelpAtItsTop) {
  // The shipped help without the sampler's anchor.
  std::ifstream in(fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName);
  std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string anchor = "<a name=\"" + shell::HelpAnchorOf("KZSampler") + "\"></a>";
  ASSERT_NE(html.find(anchor), std::string::npos);
  html.erase(html.find(anchor), anchor.size());
  std::ofstream(Share(shell::kHelpFileName)) << html;
  ASSERT_TRUE(Start());
  common::RunEvent([] { shell::OpenScreenForm(22); });
  Settle();
  PressF1(shell::FormKZSampler->Surface());
  auto* text = shell::HelpWindow()->findChild<QTextBrowser*>();
  EXPECT_FALSE(text->source().hasFragment());
  EXPECT_EQ(text->verticalScrollBar()->value(), 0);
}

TEST(HelpText, EveryScreenHasItsSection) {
  const std::string help = (fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName).string();
  for (const char* form : {"Velmora", "RagaSelection1", "MainOperations", "PlayComposition1", "ReviewRagas",
                           "RagaInfoSummary", "Quiz", "KZSampler", "Workshop", "Composer", "ScaleShifting"})
    EXPECT_TRUE(shell::HelpHasSection(help, shell::HelpAnchorOf(form))) << form;
}

TEST_F(HelpTest, OverAModalScreenTheHelpOpensAsThatScreensWindowSoItTakesInput) {
  ASSERT_TRUE(Start());
  {
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    Settle();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    PressF1(&modal);
    ASSERT_NE(shell::HelpWindow(), nullptr);
    EXPECT_EQ(shell::HelpWindow()->parentWidget(), &modal);
    EXPECT_TRUE(shell::HelpWindow()->isVisible());
  }
  Settle();
  // The modal screen took its help window with it; F1 makes a new one of the program's own.
  PressF1(Main().Window());
  ASSERT_NE(shell::HelpWindow(), nullptr);
  EXPECT_EQ(shell::HelpWindow()->parentWidget(), nullptr);
  EXPECT_TRUE(shell::HelpWindow()->isVisible());
}

TEST_F(HelpTest, AMissingHelpFileIsSaidInTheHelpWindow) {
  ASSERT_TRUE(Start());
  PressF1(Main().Window());
  ASSERT_NE(shell::HelpWindow(), nullptr);
  EXPECT_NE(HelpText().find("is missing"), std::string::npos) << HelpText();
  EXPECT_FALSE(common::ProgramHalted());
}

// The help text's own links: every "#name" it links to is an anchor in it, every screen has its anchor, and it
// links to nothing outside itself (the help window opens no other pages).
TEST(HelpText, LinksStayInsideTheTextAndReachAnAnchorOfEveryScreen) {
  std::ifstream in(fs::path(VELMORA_SOURCE_DIR) / "content" / "help" / shell::kHelpFileName);
  ASSERT_TRUE(in.good());
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string html = buffer.str();

  std::set<std::string> anchors;
  const std::regex anchor(R"re(<a name="([^"]+)")re");
  for (std::sregex_iterator it(html.begin(), html.end(), anchor), end; it != end; ++it) anchors.insert((*it)[1]);
  for (const char* screen : {"main", "selection", "illustration", "composition", "summary", "quiz", "sampler",
                             "workbench", "composer", "scales", "review"}) {
    EXPECT_TRUE(anchors.count(screen)) << screen;
  }
  // The sections F1 opens: "form-" and the form's name.
  for (const char* form : {"Velmora", "RagaSelection1", "MainOperations"})
    EXPECT_TRUE(anchors.count(shell::HelpAnchorOf(form))) << form;
  // How notes are typed in Devanagari, and the order of a similar-raga pair.
  EXPECT_TRUE(anchors.count("typing"));
  EXPECT_NE(html.find("<tt>saa</tt>"), std::string::npos);
  EXPECT_NE(html.find("first a characteristic phrase of the similar raga"), std::string::npos);

  const std::regex link(R"re(href="([^"]*)")re");
  for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
    const std::string target = (*it)[1];
    ASSERT_FALSE(target.empty());
    EXPECT_EQ(target[0], '#') << "a link outside the help text: " << target;
    EXPECT_TRUE(anchors.count(target.substr(1))) << "a link to no anchor: " << target;
  }
}

}  // namespace
}  // namespace shelltest
