-- The prompt lines of the composition player: learning mode shows 24, 26, 28 and 30,
-- practice mode 25, 26, 28, 29 and 30.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (24, 'Learning mode: choose Asthai or Antara and press "Play" to hear the part with its theka, or "Start Looping" to repeat it'),
  (25, 'Practice mode: type the row and beat to start at under "From" and to end at under "To"'),
  (26, 'the red cell follows the beat being heard'),
  (27, 'choose "No Theka" under "Theka" to hear the notes without the tabla'),
  (28, 'the slider sets the speed, "Synchronization" moves the red cell earlier or later'),
  (29, 'then press "Play" or "Start Looping" to hear that stretch'),
  (30, '"Go Back" returns to the raga');
