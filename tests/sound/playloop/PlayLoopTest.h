// Fixture of the play-loop and set-up tests: the fixture ragas' databases (with a
// layakari of three short phrases for Bhairav and the theka bols of Teentaal), the
// sound library holding the generated seeds of the built content database, and an
// illustration screen in front whose player runs on a fake clock. Its Done handler
// records the file that ended and the phrase it held, then hands the end on as every
// playing screen does.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "common/RagaFixture.h"
#include "platform/forms/Declaration.h"
#include "platform/forms/Form.h"
#include "platform/mci/Clock.h"

namespace playlooptest {

// Bhairav (2): a layakari of three phrases of 400, 400 and 500 ms. Yaman (1): Bhairav as
// a similar raga timed in matras. Teentaal (1): bol 100 + b on beat b in theka set 4.
inline constexpr const char* kExtraContentRows = R"sql(
INSERT INTO "Raga - ALT Phrases" VALUES (2, 2, 'S r G , m P d , N S> r>', '10 10 20 , 10 10 20 , 10 10 30');
INSERT INTO "Raga - Additional Information" VALUES (1, 'Bhairav', 1, 31);
INSERT INTO "Raga - Composition Notations" VALUES
  (31, 1, 9, 'Bhairav', 0, 0, NULL, 'S R G', '1 1 2', 'S r G', '2 1 0.5', 0, 1, 50);
WITH RECURSIVE beat(b) AS (SELECT 1 UNION ALL SELECT b + 1 FROM beat WHERE b < 16)
INSERT INTO "ThekaTypeBolsForTaal" SELECT 4, 1, b, 100 + b FROM beat;
)sql";

inline const std::vector<std::string> kLayakari = {"S r G", "m P d", "N S> r>"};
inline constexpr int kMiddleSlider = 9;  // speed factor 1.0

// A file that ended on the player: its name in the temporary folder and the phrase of
// the slot that played it (words one blank apart).
struct Played {
  std::string file;
  std::string phrase;
  bool operator==(const Played&) const = default;
  friend void PrintTo(const Played& p, std::ostream* os) { *os << p.file << " \"" << p.phrase << "\""; }
};

// The illustration screen as the program declares it, with a composer slot added; its
// player's Done runs onDone, and its progress notifications reach no dispatcher.
forms::FormSpec DeclareIllustrationForm(std::function<void()> onDone);
// What the screens' Done handlers do, the ended file recorded first.
void RecordAndHandOn(std::vector<Played>& played);

// The illustration screen in front, its player on a fake clock; the files that ended.
// Tracing is on while it is open: the trace shows which dispatchers the loop called.
struct IllustrationScreen {
  void OpenScreen();
  void CloseScreen();
  // How often the illustration screen's dispatcher was entered since the last
  // ForgetScreenCalls: the loop enters it only to send the end of playing (19).
  static int EndsHeard();
  static void ForgetScreenCalls();

  std::shared_ptr<mci::FakeClock> clock;
  std::unique_ptr<forms::Form> form;
  std::vector<Played> played;
};

class PlayLoopTest : public ragatest::RagaTest, public IllustrationScreen {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  // The item in hand: Bhairav's layakari, or its scale, in demo mode.
  void Layakari();
  void Scale();

  // Moves time on in steps of 10 ms, the event loop delivering what falls due, for
  // `span`, or until `done` holds.
  void PlayFor(std::chrono::milliseconds span, const std::function<bool()>& done = {});
  // ... until the illustration screen hears the end of playing (within 20 s of play).
  void PlayUntilTheEnd();

  std::string File(const std::string& name) const { return shell::TempFolder + name; }
};

using testsupport::TraceEntries;

}  // namespace playlooptest
