// The form object of each screen, bound to its form id.
#include "shell/ScreenForms.h"

#include "common/Trace.h"
#include "composer/Composer.h"
#include "exploration/KZSampler.h"
#include "exploration/MainOperations.h"
#include "exploration/PlayCompositions.h"
#include "exploration/Quiz.h"
#include "exploration/RagaSelection.h"
#include "exploration/ReviewRagas.h"
#include "scaleshift/ScaleShifting.h"
#include "shell/FormLayout.h"
#include "shell/Navigation.h"
#include "shell/ShellState.h"
#include "shell/VelmoraForm.h"
#include "workshop/Workshop.h"

namespace shell {

void sBindForms() {
  FormVelmora = &MainForm();
  FormReviewRagas = exploration::ReviewRagasForm();
  FormScaleShifting = scaleshift::ScaleShiftingForm();
  FormRagaSelection1 = exploration::RagaSelectionForm();
  FormPlayComposition1 = exploration::PlayComposition1Form();
  FormRagaInfoSummary = exploration::RagaInfoSummaryForm();
  FormQuiz = exploration::QuizForm();
  FormWorkshop = workshop::WorkshopForm();
  FormKZSampler = exploration::KZSamplerForm();
  FormComposer = composer::ComposerForm();
  FormMainOperations = exploration::MainOperationsForm();
}

void OpenScreenForm(int16_t id) {
  common::ProcTrace t("OpenScreenForm");
  sEnterForm(id);
  int16_t hideParent = 1;
  sShowForm(hideParent);
}

}  // namespace shell
