// Stand-ins while the sound layer's keyboard and scale sets are not there: they fill
// the reed tables and look up a user's scale-set name as those do.
#include "shell/SettingsStandIns.h"

#include "common/Database.h"
#include "common/Trace.h"
#include "shell/ShellState.h"

namespace sound {

#if !__has_include("sound/Keyboard.h")
void sInitReedsDisplayedData() {
  common::ProcTrace t("sInitReedsDisplayedData");
  FirstReedForTonic = {0, 3, 4, 4, 4, 6, 6, 8, 10, 11, 11, 11, 13};
  LastReedForTonic = {0, 30, 32, 32, 32, 34, 34, 35, 37, 39, 39, 39, 40};
}

void sInitReedColorType() {
  common::ProcTrace t("sInitReedColorType");
  constexpr int16_t kPattern[12] = {2, 1, 2, 1, 1, 2, 1, 2, 1, 2, 1, 1};
  ReedColorType.fill(0);
  for (int reed = 0; reed <= 40; ++reed) ReedColorType[reed] = kPattern[reed % 12];
}

#endif

#if !__has_include("sound/ScaleSets.h")
std::string fGetMusicSetName(int16_t setId) {
  common::ProcTrace t("fGetMusicSetName");
  dao::Recordset rs = shell::DatabaseB.OpenRecordset("Scale Shift Specs", dao::dbOpenTable);
  common::sSetTablePKRecord(rs, setId);
  const vb::Variant stored = rs.Fields("NPSetName");
  const std::string name = stored.IsNull() ? std::string() : stored.ToString();
  rs.Close();
  return name;
}
#endif

}  // namespace sound
