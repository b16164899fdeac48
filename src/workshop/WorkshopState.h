// Shared state of the workbench (the Workshop screen): its mode, the note set it works
// on, the pattern being built or defined, the question panel and the words its form
// events hand to the dispatcher. Lives for the whole run; the screen resets what it
// needs each time it opens.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace workshop {

// Workbench note index: 0 to 24 are the 25 notes "P<" to "P>" (English note table
// entry index + 7); 5 is "S", 17 "S>". Arrays indexed by it have 26 entries.
inline constexpr int16_t kWorkbenchNotes = 25;
inline constexpr int16_t kNoteS = 5;
inline constexpr int16_t kNoteUpperS = 17;
inline constexpr int16_t kEnglishOffset = 7;  // EnglishNotes index of workbench note 0

// The mode: 0 none, 1 major scale, 2 other scales, 3 a raga's notes, 4 the notes quiz.
inline int16_t WBMode = 0;
// What a click on key label cL(i) means: 1 picking the notes of a scale, 2 hearing a
// note, 3 picking the notes of the meend demo, 4 picking the starting note of a token.
inline int16_t KeyLabelPurpose = 2;
// What cRagaList holds: 1 thatas, 3 ragas, 4 user patterns (0 nothing yet).
inline int16_t ListContent = 0;

// The note set: NoteMarks(n) 1 when workbench note n belongs to it; ScaleNotes the
// marked notes in ascending order, ScaleNoteCount of them used.
inline std::array<int16_t, 26> NoteMarks{};
inline std::array<int16_t, 26> ScaleNotes{};
inline int16_t ScaleNoteCount = 0;
// The scale picked or listed: 0 Audav (5 notes), 1 Shadav (6), 2 Sampoorna (7).
inline int16_t ScaleType = 2;

// Note names by workbench index, from the note tables when the screen opens.
inline std::array<std::string, 26> WBNoteNames;
inline std::array<std::string, 26> WBDevnagariNoteNames;

// The built-in patterns 0 to 7 (entry 8 unused) and the pattern chosen.
inline std::array<std::string, 9> BasePatterns;
inline int32_t BasePatternNo = 0;
// 0 no pattern chosen, 1 a built-in pattern, 2 the defined or a user pattern.
inline int32_t PatternSource = 0;
// The interpreted pattern: scale-step offsets in playing order.
inline std::vector<int16_t> PatternOffsets;
inline int16_t PatternOffsetCount = 0;
// The note the first run starts from (5 "S", 0 "P<") and 1 one run, 2 a series.
inline int32_t PatternStartNote = kNoteS;
inline int32_t PatternRunMode = 2;
// The first run of the phrase built last (the raga's scale or pakad for entries 0, 1 in raga mode).
inline std::string BasePatternPhrase;
// The word position the raga builder's runs start from.
inline int16_t RagaPhraseStart = 0;

// The pattern being defined and the token being answered.
inline std::string UserPatternPhrase;
inline std::string PatternTokenStart;
inline std::string PatternTokenDirection;
inline std::string PatternTokenMove;
inline int16_t PatternTokenCount = 0;
// 1 the question route of a definition (steps 3 to 8), 2 the keyboard route.
inline int16_t DefinePatternStep = 0;

// The question panel: the step on show (1 to 11) and the page of the note-count question.
inline int16_t OptionStep = 0;
inline int16_t NoteCountPage = 1;
// The notes the quiz asks: 1 any, 2 natural (shuddha) only, 3 other than natural.
inline int16_t QuizNoteKind = 1;
// The quiz note (1 to 25, workbench index + 1) drawn last; 0 before the first draw.
inline int16_t QuizNote = 0;

// 2 while phrases play through the play loop, 1 while the drone file loops.
inline int32_t WBDoneMode = 2;
// The duration value (10 ms units) of a single note the note actions play.
inline int16_t WBNoteTime = 200;
// The first and second note picked for the meend demo ("" not yet picked).
inline std::array<std::string, 3> MeendNotes;
inline int16_t SelectedNoteIndex = 0;
// True (-1) when the speed slider moved since the last set-up.
inline int16_t SpeedChanged = 0;
// The key label clicked last.
inline int16_t ClickedNoteLabel = 0;

// The phrase set up last, as shown (the script in use) and in English, and the
// durations of its notes before the speed slider (one word per note): a change of speed
// scales these, it never replaces them.
inline std::string WBShownPhrase;
inline std::string WBCurrentPhrase;
inline std::string WBCurrentDurations;
// The current raga's scale as shown in raga mode (English).
inline std::string RagaScalePhrase;
// True (-1) once a raga has been chosen in raga mode during this visit.
inline int16_t RagaChosen = 0;

// The Enabled state (True -1 / False 0) of the seven top menus, in the order
// cMnuMusPat, cMnuKebDis, cMnuNotScr, cMnuTonNot, cMnuHel, cMnuGraNot, cMnuSyn.
inline std::array<int16_t, 7> MenuBarItemStatus{};
// True (-1) while the form is locked for playing: a second lock keeps the menu states
// captured by the first.
inline int16_t F13Locked = 0;

}  // namespace workshop
