-- The prompt lines of the scale-shifting screen ("Define Scales with Pitch-Shifts").
INSERT INTO "Prompts" ("PromptNumber", "Prompt") VALUES
  (9, 'Click a key of the octave to hear it as the Sa (tonic) of a new scale, then click "Tune Selected Note" to tune it'),
  (10, 'Move the slider towards "Up" or "Down" and click "Play" to hear the note; when it sounds right, click "Create Scale with Current Tone As ''sA'' (Tonic)"'),
  (11, 'Click one of your saved scales to refine its notes'),
  (12, 'Type a name for the new scale and click "OK" to save it'),
  (13, 'Click a key to hear it; choose a "Sensitivity" and click "Higher" or "Lower" to move the note, then "Save Current Setting" to keep the changes. "Play Scales" plays a scale or a raga in this scale'),
  (71, 'Choose an operation: "Set Tonic Note for New Scale" to define a new scale, or "Refine Notes in the Selected Scale" to tune the notes of a saved one'),
  (72, 'Click the key you want to refine first, then "Higher" or "Lower"');
