-- The prompt lines of the screens, by prompt number. Prompt 1 is the main menu's; the
-- other screens bring theirs with them.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (1, 'Choose from the menu bar: "Main Operations" to explore ragas, take the quiz, use the sampler, workbench or composer, or define scales; "Supporting Operations" to review the raga groups.'),
  (2, 'Click a raga to explore it. Click a column heading, or choose from "Sort By", to sort the list by that column.'),
  (4, 'Choose Demo, Learning or Practice mode under "Select Playing Mode"'),
  (5, 'Demo mode: click an item under "KZ Items" to hear it played through'),
  (6, 'Choose from "Tonic Note" to move Sa to another key'),
  (7, 'or pick one of your own scales under "Select User-defined Scale"'),
  (8, 'or click one of your own items under "User''s Items"'),
  (14, 'Follow the notes as they light up on the keyboard'),
  (15, '"Stop" ends the play; "Stop Current" skips to the next phrase'),
  (16, 'Use "Synchronization" when the marking runs ahead of or behind the sound'),
  (17, 'Choose "Raga Info" to read about the raga'),
  (18, 'Learning mode: click an item to show its first phrase'),
  (19, 'press "Play" to hear it, or "Start Looping" to hear it again and again'),
  (20, 'use "Next" and "Prev" to step through the phrases and the slider to change the speed'),
  (21, 'Practice mode: click an item, then change its phrase in the notation box if you like'),
  (22, 'press "Play" to hear the phrase, or "Start Looping" to repeat it while you practise'),
  (23, 'a composition opens in the composition player for practice part by part');
