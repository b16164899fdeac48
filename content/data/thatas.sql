-- The ten thatas, in the order the workbench lists them, with their scales in the
-- middle octave from S up to the upper S> (S r R g G m M P d D n N: lower case komal,
-- M tivra).
INSERT INTO "ThataScales" ("ThataName", "ThataScale") VALUES
  ('Bilawal', 'S R G m P D N S>'),
  ('Khamaj', 'S R G m P D n S>'),
  ('Kafi', 'S R g m P D n S>'),
  ('Asavari', 'S R g m P d n S>'),
  ('Bhairavi', 'S r g m P d n S>'),
  ('Bhairav', 'S r G m P d N S>'),
  ('Kalyan', 'S R G M P D N S>'),
  ('Marwa', 'S r G M P D N S>'),
  ('Purvi', 'S r G M P d N S>'),
  ('Todi', 'S r g M P d N S>');
