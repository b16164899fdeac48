// Making a raga current: its technical data, scale, pakad and phrase lists loaded from
// both databases into the raga tables. Goal: under 10 ms per raga change. Walking all
// ragas in index order also changes the drone type now and then, which reloads both
// instruments' seeds and the drone: those changes are also timed on their own
// (drone_type_mean_ms, drone_type_slowest_ms), as is the slowest change of all.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "BuiltDatabases.h"
#include "common/CommonState.h"
#include "common/Queries.h"
#include "common/RagaTables.h"
#include "platform/vb/Folders.h"
#include "shell/ShellState.h"
#include "soundlib/FWav.h"
#include "sound/NoteSeeds.h"
#include "sound/SoundState.h"

static void BM_RagaChange(benchmark::State& state) {
  OpenBuiltDatabases();
  sound::fCreateNoteSeedsForUse();
  std::vector<int16_t> ragas;
  auto rs = shell::DatabaseA.OpenRecordset("Raga - Technical Information", dao::dbOpenTable);
  for (; !rs.Eof(); rs.MoveNext()) ragas.push_back(rs.Fields("Raga Index").ToInt());
  rs.Close();
  size_t next = 0;
  double slowestMs = 0.0, droneTypeMs = 0.0, droneTypeSlowestMs = 0.0;
  int droneTypeChanges = 0;
  for (auto _ : state) {
    common::CurrRagaIndex = ragas[next];
    next = (next + 1) % ragas.size();
    const int32_t droneType = sound::CurrDroneType;
    const auto start = std::chrono::steady_clock::now();
    common::sSetupForCurrRaga();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    slowestMs = std::max(slowestMs, ms);
    if (sound::CurrDroneType != droneType) {
      ++droneTypeChanges;
      droneTypeMs += ms;
      droneTypeSlowestMs = std::max(droneTypeSlowestMs, ms);
    }
  }
  state.counters["slowest_ms"] = slowestMs;
  state.counters["drone_type_changes"] = droneTypeChanges;
  state.counters["drone_type_mean_ms"] = droneTypeChanges > 0 ? droneTypeMs / droneTypeChanges : 0.0;
  state.counters["drone_type_slowest_ms"] = droneTypeSlowestMs;
  CloseBuiltDatabases();
}
BENCHMARK(BM_RagaChange)->Unit(benchmark::kMillisecond);
