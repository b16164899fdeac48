-- The prompt lines of the quiz: 31 while the kinds of item are chosen, 32 once the quiz runs.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (31, 'Tick one or more items under "ItemTypes" for the quiz to play, then press "OK"'),
  (32, 'Press "Select New Music Sample" and listen; then "I will Guess" to name the raga, "Play again" to hear it once more, or "What is it?" for the answer');
