// What the quiz and the music sampler share: drawing a random raga of the content and
// the next background picture. Every draw is Int(n x Rnd + 1), 1 to n (vb::DrawOneTo).
#pragma once

#include <cstdint>
#include <vector>

namespace forms {
class Form;
}

namespace exploration {

// The ragas a search for a sample has not tried yet: the rows of "Raga - Technical
// Information" of the content database by their place in stored order (0 first).
using UntriedRagas = std::vector<int16_t>;
// Every raga of the content, none tried yet.
UntriedRagas fAllDrawableRagas();

// Reseeds and draws one of the ragas not tried yet (Int(n x Rnd + 1) of the n left, in
// stored order) and takes it out of them; its raga becomes current (CurrRagaIndex,
// CurrRagaName) and the drone follows it (fGetSeqRagaId). False when every raga has
// been tried: a search draws each raga once at most before it gives up.
bool fDrawUntriedRaga(UntriedRagas& untried);

// Loads the tables of the current raga. False when its data cannot be read (a damaged
// row): the draw is then taken back, and the caller draws again; the trace goes on at
// the caller's depth.
bool fSetupDrawnRaga();

// Shows the background picture PictureNumber on the form, then reseeds and draws the
// number of the next one, 1 to 8.
void sShowNextPicture(forms::Form& form);

}  // namespace exploration
