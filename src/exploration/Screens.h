// Helpers the exploration screens share: the form in front, the size they lay their
// grids and rows of boxes out in, the parts of their declarations they have in common,
// changing the scale set in use, and stopping a form's player.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/forms/Declaration.h"
#include "common/CommonState.h"
#include "shell/ShellState.h"
#include "sound/SoundState.h"

namespace forms {
class Form;
}  // namespace forms

namespace exploration {

// The form in front (shell::CurrForm); error 91 when there is none.
forms::Form& FrontForm();

// The shared window width of the current window state: the normal width FormW, or
// MaxFormW while maximised. A minimised window keeps the normal width, and a width
// that is not known yet falls back to the form's inner width and then to its design
// width, so no column or box is ever laid out in a zero width.
double fLayoutWidth(forms::Form& form);
// The same for the height: FormH, or MaxFormH while maximised.
double fLayoutHeight(forms::Form& form);

// Declaring what several screens carry.
// One item of a menu and what its click does.
struct MenuChoice {
  const char* name;
  const char* caption;
  std::function<void()> click;
};
// A menu of the menu bar with its items.
forms::MenuMember DeclareMenu(forms::FormSpec& f, const char* name, const char* caption,
                              std::initializer_list<MenuChoice> items);
// "Tonic Note" with the twelve keys in menu order; a click hands on its key, 1 to 12.
void DeclareTonicMenu(forms::FormSpec& f, void (*chosen)(int16_t key));
// The raga's data, hidden until shown: name, vadi and samvadi on the first row, then
// the aroha, avroha and pakad boxes from `top`, `step` apart and `height` high; also the
// caption "Raga" of the name.
struct RagaDataBoxes {
  forms::Member aroha, avroha, pakad, caption;
};
RagaDataBoxes DeclareRagaData(forms::FormSpec& f, double top, double step, double height);

// A screen's marking allowance moved by "Slow Down" (-1) or "Speed Up" (+1): never
// below 0, and at the largest value it stays there rather than overflowing.
void StepDelay(int16_t& delay, int16_t by);

// The scale set in use before a change: what a failed change goes back to.
struct ScaleInUse {
  int16_t tonic = sound::CurrTonicNoteId;
  int16_t setId = sound::CurrMusicSetId;
  std::string setName = sound::CurrMusicSetName;
};

// The note seeds of the scale set now chosen (CurrMusicSetId). On failure the scale
// that was in use comes back, its seeds loaded again (a failed load may have freed
// some of them), so the tonic, the tonic menu's check mark and the sound agree; then
// the message "Error Creating Mote Seeds" and false.
bool fPrepareScaleSeeds(const ScaleInUse& before);

// shell::sStopAndClosePlayer on the form's player "cMM", when it has one.
void sStopAndClosePlayer(forms::Form& form);

}  // namespace exploration
