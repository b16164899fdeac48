// What the quiz and the music sampler share: drawing a random raga of the content and
// the next background picture. Every draw is Int(n x Rnd + 1), 1 to n (vb::DrawOneTo).
#pragma once

#include <cstdint>

namespace forms {
class Form;
}

namespace exploration {

// The number of ragas the draws choose from: the rows of "Raga - Technical
// Information" in the content database.
int16_t fDrawableRagaCount();

// Reseeds and draws one of the count rows of "Raga - Technical Information" in stored
// order; its raga becomes current (CurrRagaIndex, CurrRagaName) and the drone follows
// it (fGetSeqRagaId).
void sDrawRaga(int16_t count);

// Loads the tables of the current raga. False when its data cannot be read (a damaged
// row): the draw is then taken back, and the caller draws again.
bool fSetupDrawnRaga();

// Shows the background picture PictureNumber on the form, then reseeds and draws the
// number of the next one, 1 to 8.
void sShowNextPicture(forms::Form& form);

}  // namespace exploration
