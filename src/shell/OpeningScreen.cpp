#include "shell/OpeningScreen.h"

#include <utility>

#include "platform/vb/Error.h"
#include "platform/vb/Files.h"
#include "shell/ShellState.h"

namespace shell {

namespace {

const std::string kBreak = "\n\r";
const char* const kOpeningPicture = "kz3.jpg";

OpeningScreenPresenter& Presenter() {
  static OpeningScreenPresenter presenter;
  return presenter;
}

}  // namespace

std::string fOpeningScreenText() {
  std::string text =
      "Velmora is a companion for learning the basics of the Hindustani system of classical music, the classical "
      "music of North India. You hear the melody of each raga played on a harmonium-like instrument over a drone, "
      "and you can practise it at your own pace, as slowly and as often as you like. An on-screen keyboard shows "
      "which harmonium keys to press while every note sounds. The ragas are arranged in groups, from the most "
      "widely heard to the less familiar. A curriculum of traditional compositions leads you from simple pieces to "
      "increasingly complex ones. Quizzes, a music sampler and a workbench of note patterns help you test and "
      "train your ear. Like a patient teacher, Velmora is available at any time and in any place you choose." +
      kBreak;
  text +=
      "Velmora was created by the Velmora team, who also wrote its musical content: the technical data of the ragas, "
      "their phrases, alap, layakari and taan, and the compositions, all drawn from publicly shared knowledge of "
      "the tradition. The sounds of the instrument, the drone and the tabla are synthesised by the program itself." +
      kBreak + kBreak + kBreak;
  text += "------------" + kBreak;
  text +=
      "Terms of use: Velmora is offered for personal study and teaching. You may use it on your own computers and "
      "copy it for others on the same terms. It is provided as it is, without warranty of any kind; the makers are "
      "not liable for any loss that may arise from its use. The compositions and phrases are given for learning: "
      "performers remain free to interpret them in their own way. By pressing \"I Accept\" you agree to these "
      "terms; \"I do not Accept.\" ends the program." +
      kBreak;
  text += "------------";
  return text;
}

forms::FormSpec DeclareOpeningScreen() {
  forms::FormSpec f("OpeningScreen", "Velmora v 2.2", 0, {1800, 1200, 9000, 6600});
  f.OnLoad([] {
    forms::Form& screen = OpeningScreenForm();
    screen.Ctl("Text1").SetText(fOpeningScreenText());
    // The picture only decorates the screen: without it, or with a damaged one, the
    // screen is shown all the same. Nothing can be recorded yet (the data folder is
    // only known once the terms are accepted); the picture's next use records it.
    const std::string picture = vb::JoinPath(ShareFolder, kOpeningPicture);
    if (vb::FileExists(picture)) {
      try {
        screen.Get<forms::Picture>("Picture1").LoadPicture(picture);
      } catch (const vb::VbError&) {
        vb::Err().Clear();
      }
    }
  });
  f.TextBox("Text1", {2700, 240, 6000, 5000}).Locked().MultiLine().Font("Noto Sans", 10);
  f.PictureBox("Picture1", {240, 240, 2220, 5000}).Stretch();
  f.Button("OKButton", "I Accept", {4500, 5520, 1900, 450}).OnClick([] {
    TermsAccepted = 1;
    OpeningScreenForm().Unload();
  });
  f.Button("CancelButton", "I do not Accept.", {6800, 5520, 1900, 450}).OnClick([] { OpeningScreenForm().Unload(); });
  return f;
}

forms::Form& OpeningScreenForm() {
  static forms::Form form(DeclareOpeningScreen());
  return form;
}

void SetOpeningScreenPresenter(OpeningScreenPresenter presenter) { Presenter() = std::move(presenter); }

void sShowOpeningScreen() {
  forms::Form& screen = OpeningScreenForm();
  if (Presenter()) {
    Presenter()(screen);
    return;
  }
  screen.Show(true);
}

}  // namespace shell
