-- The ten thatas, in the order the workbench lists them, with their scales in the
-- middle octave (S r R g G m M P d D n N: lower case komal, M tivra).
INSERT INTO "ThataScales" ("ThataName", "ThataScale") VALUES
  ('Bilawal', 'S R G m P D N'),
  ('Khamaj', 'S R G m P D n'),
  ('Kafi', 'S R g m P D n'),
  ('Asavari', 'S R g m P d n'),
  ('Bhairavi', 'S r g m P d n'),
  ('Bhairav', 'S r G m P d N'),
  ('Kalyan', 'S R G M P D N'),
  ('Marwa', 'S r G M P D N'),
  ('Purvi', 'S r G M P d N'),
  ('Todi', 'S r g M P d N');
