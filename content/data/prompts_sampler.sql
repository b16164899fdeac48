-- The prompt line of the music sampler.
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (33, 'Press "Play" to hear a random sample, or "Start Looping" to hear sample after sample until "Stop Looping"');
