// The music sampler KZSampler (form id 22, "Velmora Sampler"): random items of the
// whole content, each a random raga and a random kind of item it has (aroha and
// avroha, pakad, an alap, a composition part, a film song, a layakari or taan
// pattern), named on screen and played without theka and with the keyboard hidden;
// one at a time, or one after another until looping is stopped. The end of a sample is
// found by polling the player with a 100 ms timer; a 300 ms timer makes the pause
// before the next one.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of the sampler: 0 open it over the screen in front (it hears the end of
// playing as CallbackCode 9, which calls nothing back); 1 play a random sample (Play,
// Start Looping, and the end of a sample while looping); 2 stop the sample; 3 the poll
// of the player; 20 leave. Other codes do nothing.
void sKZSampler(int16_t& action);

// Opening and leaving.
void sInitKZSampler();
void sTerminateKZSampler();
void sDisplayPromptForSampler();

// Draws a sample, shows what it is and starts it: 1, or 0 when no raga of the content
// has a sample to give (after a message).
int16_t fSelectSample();

// The end of the pause after a sample: the next sample while looping, else idle.
void sCheckLooping();

// The screen's declaration and its form object.
forms::FormSpec DeclareKZSampler();
forms::Form* KZSamplerForm();

}  // namespace exploration
