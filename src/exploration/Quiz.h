// The quiz screen Quiz (form id 20, "Quiz"): the learner ticks the kinds of item the
// quiz may play (aroha and avroha, pakad, alap); each new sample is a random raga and
// one of those kinds, played once without theka and with the keyboard hidden; the
// learner guesses the raga from the list of all ragas or asks for the answer, and may
// then explore that raga on the illustration screen and come back.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of the quiz; every entry makes the quiz the screen of the end of playing
// (CallbackCode 6, which calls nothing back). 0 open the screen; 1 a guess chosen in
// the list; 2 OK: confirm the kinds, later draw and play a new sample; 3 play the sample
// again; 4 open the guess list; 5 show the answer; 6 explore the raga; 7 notation shown
// or not, 8 notation script, 9 drone louder or softer; 20 leave. Other codes do nothing.
void sTakeQuiz(int16_t& action);

// Opening and leaving.
void sInitTakeQuiz();
void sTerminateTakeQuiz();

// The sample in hand into play slot 0, rendered without theka for a hidden keyboard:
// 1, or 0 after "Error Setting up for Illustration" (nothing is then to be played).
int16_t sSetUpForQuizModeIllustration();

// The Return button and the menus of the screen, disabled while a sample plays.
void sDisableF20Selections();
void sEnableF20Selections();

// The screen's declaration and its form object.
forms::FormSpec DeclareQuiz();
forms::Form* QuizForm();

}  // namespace exploration
