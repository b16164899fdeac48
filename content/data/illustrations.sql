-- The fixed lines of the illustration screen's list of the program's items.
-- The first word of lines 1-5 tells the screen what to play ("Aroha", "Pakad", "Alap",
-- "Layakari", "Taan"). Lines 3-5 are followed by the number of phrases in brackets, so
-- they end with a blank: "Alap Phrases (6)". Lines 6-8 head the lists of compositions,
-- similar ragas and film songs; they must not begin with "Composition", "Similar" or
-- "Film", or a click on a heading would be taken for an item.
INSERT INTO "IllustrationsList" ("IllustrationId", "IllustrationName") VALUES
  (1, 'Aroha and Avroha'),
  (2, 'Pakad (characteristic phrase)'),
  (3, 'Alap Phrases '),
  (4, 'Layakari Phrases '),
  (5, 'Taan Phrases '),
  (6, '--- Compositions ---'),
  (7, '--- Similar Ragas ---'),
  (8, '--- Film Songs ---');
