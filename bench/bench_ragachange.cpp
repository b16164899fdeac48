// Making a raga current: its technical data, scale, pakad and phrase lists loaded from
// both databases into the raga tables. Goal: under 10 ms per raga change. Walking all
// ragas in index order also changes the drone type now and then, which reloads both
// instruments' seeds (measured on its own by bench_tonicchange).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/CommonState.h"
#include "common/Queries.h"
#include "common/RagaTables.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "soundlib/FWav.h"
#include "sound/NoteSeeds.h"

static void BM_RagaChange(benchmark::State& state) {
  const std::string share = vb::ShareFolderPath();
  shell::DatabaseA = dao::Database::OpenDatabase(share + "/mrA.kzy", false, true, "MS ACCESS;PWD=x");
  shell::DatabaseB = dao::Database::OpenDatabase(share + "/mrB.kzy", false, true, "MS ACCESS;PWD=x");
  common::sSetSQLStrings();
  soundlib::FWavSetGlobalVariables("ce");
  soundlib::FWavSetCurrInstr("c");
  sound::fCreateNoteSeedsForUse();
  std::vector<int16_t> ragas;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) ragas.push_back(rs.Fields("Raga Index").ToInt());
  rs.Close();
  size_t next = 0;
  for (auto _ : state) {
    common::CurrRagaIndex = ragas[next];
    next = (next + 1) % ragas.size();
    common::sSetupForCurrRaga();
  }
  shell::DatabaseA.Close();
  shell::DatabaseB.Close();
}
BENCHMARK(BM_RagaChange)->Unit(benchmark::kMillisecond);
