#include "shell/Font.h"

#include <QFontDatabase>
#include <QList>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <QStringList>

#include <string>

#include "common/Trace.h"
#include "platform/vb/Files.h"
#include "platform/vb/Interaction.h"
#include "shell/ShellState.h"

namespace shell {

namespace {

const QString kFamily = QStringLiteral("Shusha");

// The characters the Devanagari note names are written with.
const QString kNoteNameCharacters = QStringLiteral("saroQgmpin\\,M");

// True when the file is a whole font: every character of the note names has its
// outline in it. A file cut short can still name its family and yet draw nothing.
bool WholeFont(const std::string& path) {
  const QRawFont raw(QString::fromStdString(path), 16);
  if (!raw.isValid()) return false;
  const QList<quint32> glyphs = raw.glyphIndexesForString(kNoteNameCharacters);
  if (glyphs.size() != kNoteNameCharacters.size()) return false;
  for (const quint32 glyph : glyphs)
    if (glyph == 0 || raw.pathForGlyph(glyph).isEmpty()) return false;
  return true;
}

// Registers one font file; keeps it only when it holds the family "Shusha".
bool AddShushaFile(const std::string& name) {
  const std::string path = vb::JoinPath(ShareFolder, name);
  if (!vb::FileExists(path) || !WholeFont(path)) return false;
  const int id = QFontDatabase::addApplicationFont(QString::fromStdString(path));
  if (id < 0) return false;
  if (!QFontDatabase::applicationFontFamilies(id).contains(kFamily, Qt::CaseSensitive)) {
    QFontDatabase::removeApplicationFont(id);
    return false;
  }
  return true;
}

}  // namespace

void sCheckFont() {
  common::ProcTrace t("sCheckFont");
  if (fSushaExists() == 0 && fInstallSusha() != 1) {
    // The font file is named, so that a user can see which file of the installation is at fault.
    vb::Message("There was a problem installing Font Shusha. This installation will always show notation using "
                "English script.\n\nThe font file \"" + vb::JoinPath(ShareFolder, "Shusha.ttf") +
                "\" is missing or damaged. Please install Velmora again to restore it.");
    DevnagariAvailable = 0;
    return;
  }
  DevnagariAvailable = -1;
}

int16_t fSushaExists() {
  common::ProcTrace t("fSushaExists");
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families) {
    if (family.compare(kFamily, Qt::CaseSensitive) == 0) return -1;
  }
  return 0;
}

int32_t fInstallSusha() {
  common::ProcTrace t("fInstallSusha");
  if (!AddShushaFile("Shusha.ttf")) return 0;
  AddShushaFile("Shusha-Bold.ttf");
  return 1;
}

}  // namespace shell
