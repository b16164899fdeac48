// Filling the phrase sets and the set-ups the screens call before they start the play
// loop (PlayLoop.h). Each set-up leaves TPlayInfo ready and its first phrase built into
// slot (CurrPhrase + 1) mod 2 and rendered, so the loop can start playing at once, and
// returns 1; a failed rendering shows "Error Setting up for Illustration" after the
// renderer's own message and returns 0.
//
// The item in hand is named by CurrItemKind (1 scale, 2 pakad, 3 alap, 4 layakari,
// 5 taan, 6 composition or film song, 7 similar-raga comparison), CurrMusicItemType
// (8 composition, 9 film song), common::CurrPhraseType (1 to 3 the ALT type) and
// common::CurrDBSelector (whose ALT phrases are read); its phrases come from the
// in-memory raga tables (common/RagaReaders.h). While grace notes are off
// (GraceNotes 1) every glide keeps only the note it lands on.
#pragma once

#include <cstdint>

namespace sound {

// Fills TMNInfo for the item in hand: form 1 keeps the segment marks (practice), 2
// joins the segments by blanks (demo and learning). Timings are the stored durations
// (a taan's one fixed duration per note; a composition's matras converted by its
// Playing Speed, with the speed slider in learning and practice mode; a comparison's
// matras by its Playing Speed too, or its stored durations when it has none). Scale and pakad
// are one phrase and switch the look-ahead off; ALT phrases leave CurrPhrase on the
// last phrase, so the first step forward lands on phrase 1. Other kinds leave TMNInfo.
void sLoadMNFromT(int16_t form);

// sLoadMNFromT(2), then for a composition the prompt, start matra, theka string and
// beat count of slots 0 (asthai) and 1 (antara), for a comparison the prompts of both
// slots; the look-ahead is switched off.
void sPreprocCompDataFromT();

// Demo mode: every phrase of the item (scale and pakad: the one), look-ahead on,
// PlayMode 1, Theka on for a composition only; phrase 1 into slot 0.
int16_t sSetUpForDemoModeIllustrations();
// Learning mode: the current phrase of TMNInfo alone, replayed on looping, with the
// speed slider applied afresh; look-ahead off, PlayMode 1.
int16_t sSetUpForLearningModeIllustration();
// Practice mode: the learner's text in cCurrentItem of the form in front, one phrase per
// ":"-separated part (Devanagari converted to English), timed from the item's stored
// phrase through the speed slider, into TPracticeInfo; look-ahead on, PlayMode 2.
// Notes beyond the stored durations take the duration of the stored phrase's last note.
int16_t sSetUpForPracticeModeIllustrations1();
// One phrase, PhraseNotes timed by PhraseTiming, into slot 0; LookAhead and PlayMode
// stay as the caller set them.
int16_t sSetUpForPlayingSelectedPhrase();

// Phrase CurrPhrase of TPlayInfo built into slot and rendered as the first of a list:
// when the look-ahead will render a next phrase, its file runs on into that one (the
// drone without a break). 1, or 0 after "Error Setting up for Illustration".
int16_t fBuildFirstPhrase(int16_t slot);

}  // namespace sound
