// The on-screen harmonium keyboard of the playing screens: 40 reeds cR(1 to 40) with
// caption labels cL(1 to 40), hanging from the base line cLine1. For tonic key t the
// reeds FirstReedForTonic(t) to LastReedForTonic(t) are drawn, white reeds side by
// side and black reeds over the joins, with the colours of the content table
// "Reed Colors"; each caption names the note the reed plays (English or Devanagari by
// NotationScript), the Sa reed's (t + 9) in white, or in navy where Sa is a white reed.
//
// Every procedure works on the controls of the form it is given, reached by name, so
// any form declared with DeclareKeyboard is served. Lengths are twips.
#pragma once

#include <cstdint>
#include <string>

#include "platform/forms/Colour.h"
#include "platform/forms/Declaration.h"

namespace forms {
class Form;
}

namespace sound {

// Key colours (colour references).
inline constexpr forms::Colour kWhiteReedColour = 0xC0E0FF;
inline constexpr forms::Colour kBlackReedColour = 0x808080;
inline constexpr forms::Colour kCaptionColour = forms::kSysWindowText;
inline constexpr forms::Colour kSaCaptionColour = 0xFFFFFF;         // on a black reed
inline constexpr forms::Colour kSaCaptionOnWhiteColour = 0x800000;  // navy: white would not show
// ReedColorType and the "Color Code" of "Reed Colors".
inline constexpr int16_t kWhiteReed = 1;
inline constexpr int16_t kBlackReed = 2;

// Fill the reed tables (SoundState.h); called once at start by the settings start-up.
void sInitReedColorType();
void sInitReedsDisplayedData();

// Declares the keyboard on a screen: the base line cLine1 at height baseLineY across
// the design width, and the hidden elements 0 of the reed array cR and the label
// array cL, which sLoadKBReedsAndLabels copies. The reeds hang below the line, a
// quarter of the window's height deep. labelClick, when given, handles a click on a
// reed label (EventArgs::Index the reed); the elements made later inherit it.
void DeclareKeyboard(forms::FormSpec& f, double baseLineY, forms::Handler labelClick = {});

// Creates reeds cR(1 to 40) and labels cL(1 to 40) on the form (those it does not
// hold yet), hidden, reeds first so that every label lies above the reeds.
void sLoadKBReedsAndLabels(forms::Form& form);

// Lays out and captions the reeds of the current tonic (CurrTonicNoteId 1 to 12, else
// error 9): sets FirstReed and LastReed, spreads the white reeds over cLine1 from 30
// twips to 30 twips short of the form's inner width, puts the black reeds over the
// joins. Heights follow the saved window height shell::FormH. show 1 also makes every
// drawn reed and label visible; any other value leaves visibility as it is. Reeds
// outside the range keep their position and caption. The placing is kept with the form
// (Form::Arrange): every layout of the form places the reeds again, at its new size,
// leaving their colours (a lit reed stays lit) and captions as they are.
void sDisplayKeyboardAlt(forms::Form& form, int16_t show);
// sDisplayKeyboardAlt, then hides the form's notation box cNotes unless CallbackCode
// is 1 (scale shifting), 8 (workbench) or 13; then repaints the form.
void sKeyBoardDisplayOn(forms::Form& form, int16_t show);
// Every reed label back to its key colour; reeds, labels and cLine1 hidden.
void sKeyboardDisplayOff(forms::Form& form);
// Reeds, labels and cLine1 hidden; colours untouched.
void sHideKeyboard(forms::Form& form);
// KeyboardDisplay 1 draws the keyboard of shell::CurrForm, 2 switches it off; other
// values do nothing. No current form: error 91.
void sImplementCurrKBDisplayMode();
// Captions of reeds FirstReed to LastReed for the tonic and NotationScript (1
// Devanagari in "Shusha" 16 bold, 2 English in "Times New Roman" 12 bold; other values
// leave the captions); sets ReedNoteOffset; the Sa caption in white (navy on a white reed).
void sUpdateReedLabelsAlt(forms::Form& form);
// The caption colour sUpdateReedLabelsAlt gave reed r when it last drew the captions.
forms::Colour fReedCaptionColour(int16_t reed);

// The name of tonic key 1 to 12 ("White-7 (B)" ... "Black-5 (A#)"); "" for any other value.
std::string fGetTonicNoteName(int16_t key);
// The first part of every prompt line of the playing screens: the scale set and tonic in use.
std::string fGetScaleInfo();

}  // namespace sound
