#include "shell/Font.h"

#include <QFontDatabase>
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

// Registers one font file; keeps it only when it holds the family "Shusha".
bool AddShushaFile(const std::string& name) {
  const std::string path = vb::JoinPath(ShareFolder, name);
  if (!vb::FileExists(path)) return false;
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
    vb::Message("There was a problem installing Font Shusha. This installation will always show notation using "
                "English script.");
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
