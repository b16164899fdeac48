-- The prompt lines of the screens, by prompt number. Prompt 1 is the main menu's; the
-- other screens bring theirs with them.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (1, 'Choose from the menu bar: "Main Operations" to explore ragas, take the quiz, use the sampler, workbench or composer, or define scales; "Supporting Operations" to review the raga groups.');
