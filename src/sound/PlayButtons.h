// The play buttons every playing screen carries (cPlay, cStop, cStartLoop, cStopLoop,
// cReturn) and the prompt that names the phrase about to play (cInfo, cCurrentItem on
// the illustration screen and the workbench). All controls are reached by name on
// shell::CurrForm (error 91 when there is none).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sound {

// cPlay, cStop, cStartLoop and cStopLoop shown.
void sDisplayPlayControlButtons();
// Idle: cPlay, cStartLoop and cReturn enabled; cStop and cStopLoop disabled.
void sEnablePlayStartButtons();
// Playing: cPlay, cStartLoop and cReturn disabled; cStopLoop enabled while LoopFlag is
// set, else cStop; the other of the two disabled.
void sEnablePlayStopButtons();

// Writes the prompt of the phrase about to play, from the item words (CurrFormId,
// CurrOperationMode, CurrItemKind, CurrMusicItemType, CurrSlot, CurrRagaName,
// CurrAddInfo, TPlayInfo, TMNInfo) and the phrase record of the slot: its display text
// with its word table (word 1 goes to cCurrentItem) and its own prompt line (a
// composition's). In a similar-raga comparison slot 0 plays the other raga's phrase
// and slot 1 the current raga's; the prompt and the option shown name the raga playing.
void sDisplayMPPrompt(const std::string& text, const std::vector<int32_t>& wordStarts,
                      const std::vector<int32_t>& wordLengths, const std::string& recordPrompt);
// The play loop's call: sDisplayMPPrompt(NotesList[CurrSlot]).
template <class PhraseRecord>
void sDisplayMPPrompt(const PhraseRecord& rec) {
  sDisplayMPPrompt(rec.Text, rec.WordStarts, rec.WordLengths, rec.Prompt);
}

}  // namespace sound
