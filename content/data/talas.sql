-- The talas in common use and their beats per cycle. Loaded into both databases.
-- "Tala Id" values never change once released: compositions, the thekas and the
-- user's own compositions refer to them. New talas take the next free id.
INSERT INTO "Tala - Technical Information" ("Tala Id", "Tala Name", "Beat Count") VALUES
  (1, 'Teentaal', 16),
  (2, 'Jhaptaal', 10),
  (3, 'Ektaal', 12),
  (4, 'Rupak', 7),
  (5, 'Dadra', 6),
  (6, 'Keharwa', 8),
  (7, 'Chautaal', 12),
  (8, 'Dhamar', 14),
  (9, 'Deepchandi', 14),
  (10, 'Tilwada', 16),
  (11, 'Jhoomra', 14),
  (12, 'Ada Chautaal', 14),
  (13, 'Sooltaal', 10),
  (14, 'Tevra', 7);
