// The block of core raga data that several screens show (name, aroha, avroha, pakad,
// vadi, samvadi in the chosen notation script), and the raga lists.
//
// The procedures write to the controls of the form passed in, the form in front
// (shell::CurrForm), found by name: every screen that shows the block carries
//   cRaga (text: the raga's name), cAroha, cAvroha, cPakad, cVadi, cSamvadi (notation),
//   Label2 to Label7 and cLine1 (captions and a rule shown with the block),
// and the playing screens the buttons cPlay, cStop, cStopLoop and cStartLoop.
// A missing control is error 730 for the error handling.
#pragma once

#include <cstdint>
#include <string>

#include "common/Notation.h"

namespace forms {
class Control;
class Form;
class ListControl;
}  // namespace forms

namespace common {

// A text box or label of a form as a notation control: the text goes to a label's
// Caption and to any other control's Text.
class FormNotationControl : public NotationControl {
 public:
  explicit FormNotationControl(forms::Control& control) : control_(control) {}
  void SetText(const std::string& text) override;
  void SetFont(const NotationFont& font) override;

 private:
  forms::Control& control_;
};

// sLoadNotation on a control of a form.
void sLoadNotation(forms::Control& control, const std::string& phrase);

// The font of the current script: Devanagari for NotationScript 1, English for 2; any
// other value leaves the font as it is.
void sAdjustFont(forms::Control& control);

// Fills and shows the block from the current raga's row of "Raga - Technical
// Information" (content database): a missing row is error 3021.
void sDisplayRagaBasicData(forms::Form& form);
// Fills and shows the block from the in-memory tables (TBaseInfo); opens no recordset.
void sDisplayFromT_RagaBasicData(forms::Form& form);
// Renders the five notation controls of the block again from the database row, in the
// current script and grace-note setting; the name and visibility stay as they are.
void sAdjustNotation(forms::Form& form);
// Disables the four play buttons.
void sDisplayPatternNotation(forms::Form& form);

// Replaces the lines of listBox with the "Add Info" titles of CurrRagaIndex of that type
// (1 similar raga, 2 composition, 3 film song) in the content database; returns their number.
int16_t fLoadList(forms::ListControl& listBox, int16_t addInfoType);
// Replaces the lines of the form's cRagaList with the names of all ragas that have
// technical data, in name order.
void sLoadRagaList(forms::Form& form);

}  // namespace common
