// Fixture of the keyboard tests: a content database with the real reed colours, the
// note names and reed tables filled as at start-up, and a small playing form that
// carries the keyboard, the play buttons and the prompt boxes, made the current form
// with its 40 reeds created.
#pragma once

#include <QCoreApplication>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/PhraseNote.h"
#include "platform/forms/Form.h"
#include "support/Scratch.h"

namespace keyboardtest {

// A phrase record as the play loop keeps one: the fields the keyboard and the prompt read.
struct PhraseRecord {
  std::string Text;
  std::vector<int32_t> WordStarts;
  std::vector<int32_t> WordLengths;
  int32_t CurrNote = 1;
  int16_t NoteCount = 0;
  std::vector<common::PhraseNote> Notes;
  std::string Prompt;
  int16_t StartMatra = 1;
  int16_t GridOffset = 0;
};

// A record of English note words ("S", "G'P", ...) with its notes and word table.
PhraseRecord MakeRecord(const std::string& englishWords);

// The test form: 12000 x 9000 twips, the keyboard's base line at 4200 twips.
forms::FormSpec DeclareKeyboardForm();
inline constexpr int16_t kGridCells = 16;  // cNote(0 .. 15)

class KeyboardTest : public testsupport::ScratchTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Draws the keyboard for a tonic and script (show 1).
  void Draw(int16_t tonic, int16_t script = 2);

  forms::Control& Reed(int16_t r) { return form->Ctl("cR", r); }
  forms::Control& Label(int16_t r) { return form->Ctl("cL", r); }
  // The reeds of a colour (1 white, 2 black) among those drawn.
  std::vector<int16_t> DrawnReeds(int16_t colorType) const;

  std::unique_ptr<forms::Form> form;
};

}  // namespace keyboardtest
