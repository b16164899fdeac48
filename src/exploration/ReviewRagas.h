// The review of the ragas by group: the form ReviewRagas (form id 3, "Review Ragas")
// lists the ragas of groups 1, 2 and 3 and all ragas by name; a click on a raga of a
// group opens RagaInfoSummary (form id 15, "Raga Information Summary") with its thata,
// time of day, similar ragas, compositions and film songs. Nothing here plays.
#pragma once

#include <cstdint>

namespace forms {
class Form;
class FormSpec;
}  // namespace forms

namespace exploration {

// Dispatcher of both forms: 0 open the review over the screen in front; 2 the summary
// of the raga clicked (CurrRagaName); 20 leave the form in front. Other codes do
// nothing; CallbackCode is left as it is.
void sReviewTechnicalData(int16_t& action);

void sInitReviewTechDat();
void sTerminateReviewTechDat();
// Fills the group list of that level (1 to 3): level 1 takes every raga of Level 1 or
// below, levels 2 and 3 those of that Level.
void sLoadRagaListForLevel(int16_t level);
void sDisplayRagaInfoSummary();

// The forms' declarations and objects.
forms::FormSpec DeclareReviewRagas();
forms::FormSpec DeclareRagaInfoSummary();
forms::Form* ReviewRagasForm();
forms::Form* RagaInfoSummaryForm();

}  // namespace exploration
