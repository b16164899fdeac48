#include "shell/Help.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "platform/forms/Form.h"
#include "platform/vb/Files.h"
#include "shell/ShellState.h"

namespace shell {

namespace {

QPointer<QDialog> g_help;

WhatsThisPresenter& Presenter() {
  static WhatsThisPresenter presenter;
  return presenter;
}

// What is said of a help file far larger than the program's own, which is never read;
// empty for one of a size that may be read.
std::string TooLargeHelpFile(const std::string& file) {
  const qint64 size = QFileInfo(QString::fromStdString(file)).size();
  if (!vb::FileExists(file) || size <= kLargestHelpFile) return "";
  return "The help file \"" + file + "\" is too large to be shown (" + std::to_string(size) + " bytes, more than the " +
         std::to_string(kLargestHelpFile) + " it may have): it is not Velmora's own. Please install Velmora again to "
         "restore it.";
}

// The help file holds text: not empty, UTF-8 without NUL characters. Anything else is
// a damaged file, which the window would show as rubbish or as nothing.
bool HelpTextReadable(const std::string& file) {
  QFile in(QString::fromStdString(file));
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = in.readAll();
  if (bytes.trimmed().isEmpty() || bytes.contains('\0')) return false;
  QStringDecoder decoder(QStringDecoder::Utf8);
  (void)QString(decoder(bytes));
  return !decoder.hasError();
}

// F1 pressed in any window of the program, modal ones included.
class HelpKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
      ShowHelp();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

std::string HelpFilePath() { return HelpFile.empty() ? vb::JoinPath(ShareFolder, kHelpFileName) : HelpFile; }

QDialog* MakeHelpWindow() {
  auto* dialog = new QDialog(nullptr, Qt::Window);
  dialog->setAttribute(Qt::WA_DeleteOnClose, false);
  dialog->setWindowTitle("Velmora Help");
  dialog->resize(720, 620);
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QTextBrowser(dialog);
  text->setObjectName("HelpText");
  text->setOpenExternalLinks(false);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  // Back and Forward go through the sections read, as in a web browser.
  QPushButton* back = buttons->addButton("&Back", QDialogButtonBox::ActionRole);
  QPushButton* forward = buttons->addButton("&Forward", QDialogButtonBox::ActionRole);
  back->setObjectName("HelpBack");
  forward->setObjectName("HelpForward");
  back->setEnabled(false);
  forward->setEnabled(false);
  QObject::connect(back, &QPushButton::clicked, text, &QTextBrowser::backward);
  QObject::connect(forward, &QPushButton::clicked, text, &QTextBrowser::forward);
  QObject::connect(text, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  QObject::connect(text, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
  layout->addWidget(buttons);
  return dialog;
}

// The section of the screen in front, or the top of the help before there is one.
std::string SectionInFront() {
  if (CurrForm == nullptr || !CurrForm->Loaded() || !CurrForm->Visible()) return "";
  return HelpAnchorOf(CurrForm->Name());
}

}  // namespace

void InstallHelpKey() {
  static bool installed = false;
  if (installed || QCoreApplication::instance() == nullptr) return;
  QCoreApplication::instance()->installEventFilter(new HelpKeyFilter(QCoreApplication::instance()));
  installed = true;
}

void ShowHelp() {
  if (g_help.isNull()) g_help = MakeHelpWindow();
  // A modal screen (the opening screen) blocks every window that is not its own: the
  // help then opens as a window of that screen, so it can be read and clicked.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != g_help->parentWidget() && modal != g_help.data()) {
    const bool visible = g_help->isVisible();
    g_help->setParent(modal, Qt::Window);
    if (visible) g_help->show();
  }
  auto* text = g_help->findChild<QTextBrowser*>("HelpText");
  const std::string file = HelpFilePath();
  if (const std::string tooLarge = TooLargeHelpFile(file); !tooLarge.empty()) {
    text->setPlainText(QString::fromStdString(tooLarge));
  } else if (vb::FileExists(file) && HelpTextReadable(file)) {
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(file));
    const std::string section = SectionInFront();
    if (!section.empty() && HelpHasSection(file, section)) url.setFragment(QString::fromStdString(section));
    text->setSource(url);
    if (url.hasFragment()) {
      text->scrollToAnchor(url.fragment());
    } else {
      text->verticalScrollBar()->setValue(0);
    }
  } else if (vb::FileExists(file)) {
    text->setPlainText(QString::fromStdString("The help file \"" + file +
                                              "\" is damaged. Please install Velmora again to restore it."));
  } else {
    text->setPlainText(QString::fromStdString("The help file \"" + file +
                                              "\" is missing. Please install Velmora again to restore it."));
  }
  g_help->show();
  g_help->raise();
  g_help->activateWindow();
}

QDialog* HelpWindow() { return g_help.data(); }

std::string HelpAnchorOf(const std::string& formName) { return "form-" + formName; }

std::string HelpTopicText(int32_t topic) {
  const std::string file = HelpFilePath();
  if (const std::string tooLarge = TooLargeHelpFile(file); !tooLarge.empty()) return tooLarge;
  if (!vb::FileExists(file) || !HelpTextReadable(file))
    return "The help file \"" + file + "\" is missing or damaged. Please install Velmora again to restore it.";
  QFile in(QString::fromStdString(file));
  in.open(QIODevice::ReadOnly);
  const QString text = QString::fromUtf8(in.readAll());
  const QString anchor = QString("<a name=\"help-%1\">").arg(topic);
  const qsizetype at = text.indexOf(anchor);
  const qsizetype start = at < 0 ? -1 : text.lastIndexOf("<p", at);
  const qsizetype end = at < 0 ? -1 : text.indexOf("</p>", at);
  if (start < 0 || end < 0) return "The help file has no text on this (topic " + std::to_string(topic) + ").";
  return text.mid(start, end + 4 - start).toStdString();
}

void ShowWhatsThis(QWidget* beside, int32_t topic) {
  const std::string text = HelpTopicText(topic);
  if (Presenter()) {
    Presenter()(beside, text);
    return;
  }
  if (beside == nullptr) return;
  QWhatsThis::showText(beside->mapToGlobal(QPoint(beside->width(), beside->height() / 2)),
                       QString::fromStdString(text), beside);
}

void SetWhatsThisPresenter(WhatsThisPresenter presenter) { Presenter() = std::move(presenter); }

bool HelpHasSection(const std::string& file, const std::string& anchor) {
  for (const std::string& line : vb::ReadLines(file))
    if (line.find("name=\"" + anchor + "\"") != std::string::npos) return true;
  return false;
}

}  // namespace shell
