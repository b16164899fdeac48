// The composer Composer (form id 27): the learner writes alap, layakari and taan
// phrases and compositions (asthai and antara with their syllables) of a raga as rows of
// note, grace-note, duration and syllable slots, plays them and saves them in the user
// database, from where the illustration screen and the composition player play them
// like the program's own items.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace composer {

// Dispatcher of the screen; every entry makes this screen the one that hears the end of
// playing (CallbackCode 11). 0 open; 1 a line of cRagaList chosen (a raga, a tala or a
// composition of the user); 2 a category chosen; 3 OK; 4 a palette note, 5 a time value;
// 6 a note slot, 7 a grace slot, 8 a duration slot clicked; 9 play; 11 rows down, 12
// rows up; 13 new category, 14 new raga; 15 a syllable typed; 16 save; 17, 18 asthai or
// antara shown; 19 end of playing; 20 leave; 21 progress of the player; 22 the raga's
// notes in the palette, 23 all notes; 24 the notation script changed. 10 and other
// codes do nothing.
void sComposer(int16_t& action);

// The note slots of the Composer back to black (nothing when the screen is not open).
void sSetComposerFormNoteSlotsToDefaultFrontColor();
// The play loop's mark as phrase `phrase` of the play set starts: the slots back to
// black and the slot of the phrase's first note in red, the rows moved to show it; sets
// sound::CurrCompNoteSlot. No slot is marked while the raga's scale or pakad plays, and
// nothing is done when the screen is not in front.
void sMarkComposerPhraseStart(int16_t phrase);

// The screen's declaration and its form object.
forms::FormSpec DeclareComposer();
forms::Form* ComposerForm();

}  // namespace composer
