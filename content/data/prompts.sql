-- The prompt lines of the screens, by prompt number. Prompt 1 is the main menu's; the
-- other screens bring theirs with them.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (1, 'Choose from the menu bar: "Main Operations" to explore the ragas, take the quiz, listen to the music sampler, use the workbench or the composer, or define scales of your own; "Supporting Operations" to review the raga groups.');
