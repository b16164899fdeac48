"""The 70 ragas of the content database, in a compact authoring form.

Each raga is one call of R(...). Phrases are written as notation words separated
by blanks ("," between phrases, ":" between segments); a note word may carry its
duration as "word/NN" (10 ms units). Words without a duration get the default of
their context (see ragagen.py), so that phrase endings rest and glides are long
enough to sound.

Times start with the hour range (24-hour clock), so that sorting the text
follows the day.

A text names its resting notes in words ragacheck.py reads ("Ga and Ni are the
resting notes", "phrases rest on the upper Sa", "Sa is touched rather than dwelt
on"), and some alap phrase must then end on each of them.
"""

TIMES = {
    "mid": "00-03 h, around midnight",
    "pre": "03-06 h, last part of the night",
    "dawn": "04-07 h, dawn",
    "morn": "06-09 h, early morning",
    "late": "09-12 h, late morning",
    "noon": "12-15 h, midday and early afternoon",
    "aft": "15-18 h, late afternoon",
    "dusk": "17-20 h, dusk",
    "eve": "18-21 h, early evening",
    "night": "21-24 h, night",
}

RAGAS = []


def R(index, name, level, thata, jati, vadi, samvadi, time, drone, notes,
      aroha, avroha, pakad, alap, text):
    RAGAS.append(dict(index=index, name=name, level=level, thata=thata,
                      jati=jati, vadi=vadi, samvadi=samvadi, time=time,
                      drone=drone, notes=notes.split(), aroha=aroha,
                      avroha=avroha, pakad=pakad, alap=alap, text=text))


# Drone types: 1 Pa, 2 Ma, 3 Ni.

# ---------------------------------------------------------------- group 1
R(1, "Yaman", 1, "Kalyan", "Sampurna-Sampurna", "G", "N", TIMES["eve"], 1,
  "S R G M P D N",
  "N< R G M P D N S>", "S> N D P M G R S",
  "N< R G R : P R : N< R S",
  ["S : N< D< N< : N<'R/80 S",
   "N< R G/100 : R G : N< R G",
   "N< R G M P/80 : M G : R G/120 : R S",
   "G M D N/100 : D P : M G R G : M D N",
   "M D N S>/100 : N R> S> : N D P : M G : R S",
   "P M G R G/100 : N<'R/60 S"],
  "Serene and devotional; the first raga of the evening. Tivra Ma throughout; "
  "Sa and Pa are often passed over in ascent (N R G, M D N). Phrases rest on "
  "Ga and Ni; the figure N R G R, P R is its signature.")

R(2, "Bhupali", 1, "Kalyan", "Audav-Audav", "G", "D", TIMES["eve"], 1,
  "S R G P D",
  "S R G P D S>", "S> D P G R S",
  "G R S D< : S R G : P G : D P G : R S",
  ["S D< : P< D< S : R S",
   "S R G/100 : R S D< : S R G",
   "G P D P G/100 : R G : R S",
   "P D S>/100 : D P : G P D P G : R S",
   "G P D S> R> S>/100 : D P G : R S D< S"],
  "Pentatonic and calm, without Ma and Ni. Moves mainly in the lower half of "
  "the octave; Ga is the resting note, and the turns G R S D< and D P G "
  "distinguish it from Deshkar, which has the same notes.")

R(3, "Alhaiya Bilawal", 1, "Bilawal", "Shadav-Sampurna", "D", "G", TIMES["morn"], 1,
  "S R G m P D n N",
  "S R G P D N S>", "S> N D P D n D P m G m R S",
  "G R : G P : D n D P : m G m R : S",
  ["S D< N< S : G R : G P/80 : m G m R : S",
   "G R G P/80 : D P : m G m R/80 : S",
   "G P D/100 : N D : D n D P/80 : m G m R S",
   "P D N S>/100 : R> S> : N D : n D P : m G m R : S",
   "G m R G P D/120 : n D P : G m R S"],
  "Bright morning raga of the natural scale. Ma is avoided in ascent and "
  "komal Ni appears only in the turn D n D P; Dha is the centre of the "
  "upper half and the phrase G m R S closes the movements.")

R(4, "Khamaj", 1, "Khamaj", "Shadav-Sampurna", "G", "N", TIMES["night"], 1,
  "S R G m P D n N",
  "S G m P D N S>", "S> n D P m G R S",
  "n D : m P D : m G",
  ["S G m G/100 : m G R S : n< D< N</100 S",
   "G m P/80 : D m P : m G/120 : R S",
   "G m P D N/100 S>/100 : n D P : m G",
   "P D N/100 S> R> S>/100 : S> n/80 D P : D m G : m G R S",
   "n D m P D/80 : m G : G m P D N/120 S>/100 : n D P : m G",
   "D< N< S G m/80 : P D N/150 S>/120 : n D P m G"],
  "Light and romantic, the home of thumri and many songs. Re is left out in "
  "ascent; shuddha Ni rises, komal Ni falls. Ga is the main resting note.")

R(5, "Kafi", 1, "Kafi", "Sampurna-Sampurna", "P", "S", TIMES["night"], 1,
  "S R g m P D n",
  "S R g m P D n S>", "S> n D P m g R S",
  "S S R R : g g m m : P",
  ["S R g R/80 : S n< D< : P< D< n< S",
   "S R g m P/120 : m g R : S",
   "m P D P/100 : g m P : m g R S",
   "P D n S>/120 : n D P : m P g R : S",
   "S S R R : g g m m : P/150",
   "n S> R> g> R> S>/100 : n D P : m g R S"],
  "Spring-like and folk-flavoured, with komal Ga and Ni. Moves straight up "
  "and down the scale; Pa and Sa are the resting notes, the pillars of its "
  "phrases, and the paired notes "
  "S S R R g g m m P are its calling card.")

R(6, "Bhairav", 1, "Bhairav", "Sampurna-Sampurna", "d", "r", TIMES["dawn"], 1,
  "S r G m P d N",
  "S r G m P d N S>", "S> N d P m G r S",
  "G m d d P : G m r r S",
  ["S N< d< N< S : r/80 S",
   "S G m P/80 : G m S'r/120 : S",
   "G m P'd/120 P : G m S'r/100 S",
   "m P d N S>/120 : r> S> : N P'd/120 P : m G m S'r S",
   "G m d N S> : N d P : G m P'd/100 P : G m S'r/100 S"],
  "Grave and devotional, sung at daybreak. Komal Re and komal Dha are held "
  "with a slow oscillation (andolan); the turns G m d P and G m r S carry "
  "the raga.")

R(7, "Asavari", 1, "Asavari", "Audav-Sampurna", "d", "g", TIMES["late"], 1,
  "S R g m P d n",
  "S R m P d S>", "S> n d P m g R S",
  "R m P : n d P : g R S",
  ["S R m P/100 : m P d/80 P : g/120 R S",
   "R m P d/120 : m P : m P g/100 R : S",
   "m P d S>/100 : S> R> n d/120 : P : g R S",
   "d m P : d d P/80 : m P n d P/100 : g/120 R S",
   "R m P n d/120 : P d m P/80 : g/120 R/100 S"],
  "Serious and renunciant, a late-morning raga. Ga and Ni are left out in "
  "ascent; komal Dha is the centre and the figure R m P, n d P answers it.")

R(8, "Bhairavi", 1, "Bhairavi", "Sampurna-Sampurna", "m", "S", TIMES["morn"], 1,
  "S r g m P d n",
  "S r g m P d n S>", "S> n d P m g r S",
  "m g S r S : d< n< S",
  ["S r/80 S : n< d< : P< d< n< S",
   "S r g m/120 : g r S",
   "g m P d P/80 : m g m/120 : g r S",
   "m P d n S>/120 : r> S> : n d P : m g r S",
   "d n S> g> r> S>/100 : n d P m : g m/120 : g r S"],
  "All flat notes; tender and full of pathos, traditionally sung in the "
  "morning and to close a concert. Ma is the centre of gravity.")

R(9, "Todi", 1, "Todi", "Shadav-Sampurna", "d", "g", TIMES["late"], 1,
  "S r g M P d N",
  "S r g M d N S>", "S> N d P M g r S",
  "d< N< S r g : r S : M g r g r S",
  ["S : d< N< S : r/60 g/100 : r S",
   "d< N< S r g/120 : M g r g : r S",
   "r g M d/120 : d P M g/100 : r g r S",
   "M d N S>/100 : N d/100 : P : M g r g : r S",
   "g M d N S> r> S>/100 : N d/100 P/120 : M g r g r S"],
  "Also called Miyan ki Todi. Intense and searching; Pa is weak and passed "
  "over in ascent. Very low komal Re and Ga, and a long komal Dha.")

R(10, "Purvi", 1, "Purvi", "Sampurna-Sampurna", "G", "N", TIMES["dusk"], 1,
  "S r G m M P d N",
  "N< r G M P d N S>", "S> N d P M G m G r S",
  "N< r G : M G : r G : M G r S",
  ["S N< d< N< : r G/120 : r S",
   "N< r G M P/80 : M G m G/100 : r S : N< r G",
   "M d P/80 : M G m G/100 : r S",
   "G M d N S>/120 : N r> S> : N d P : M G : r S",
   "M d N S> r> N d P : M G m G : r G r S"],
  "Sombre sunset raga with komal Re and Dha and tivra Ma; shuddha Ma appears "
  "only in the turn M G m G. Ga is the resting note.")

R(11, "Marwa", 1, "Marwa", "Shadav-Shadav", "r", "D", TIMES["dusk"], 3,
  "S r G M D N",
  "S r G M D N S>", "S> N D M G r S",
  "D< N< r : G M D : M G r : N< D<",
  ["S N< D</120 : M< D< N< r/150 : N< D<",
   "N< r G/80 : M G r/120 : G M G r",
   "r G M D/120 : M G r/100 : G M D",
   "M D N r>/120 S> : N D/120 : M D N",
   "D< N< r G M D : N D M G : r/150 : N< r S/60"],
  "Restless twilight raga without Pa. Phrases rest on komal Re, Dha and Ni; "
  "Sa is touched rather than dwelt on, and comes back only at the close of a "
  "long movement. Komal Re and shuddha Dha carry the weight.")

R(12, "Durga", 1, "Bilawal", "Audav-Audav", "m", "S", TIMES["night"], 1,
  "S R m P D",
  "S R m P D S>", "S> D P m R S",
  "m P D : m R : R m P D : D m R : D< S",
  ["S R m/100 : R S : D< S",
   "S R m P D/100 : P m : R S",
   "m P D S>/120 : D P : m P D : m R S",
   "P D S> R> S>/100 : D P : D m/100 : R : D< S",
   "m P D m/100 : R m P : D P m R : S"],
  "Joyful pentatonic raga without Ga and Ni; Ma and Dha are prominent and "
  "the leap D m R gives it its character.")

R(13, "Desh", 1, "Khamaj", "Audav-Sampurna", "R", "P", TIMES["night"], 1,
  "S R G m P D n N",
  "S R m P N S>", "S> n D P m G R G N< S",
  "R m P : N S> : n D P : D m G R : G N< S",
  ["S N< S R/120 : m G R : G N< S",
   "R m P/120 : P D m G R : G N< S",
   "m P N S>/120 : n D P : D m G R : G S",
   "P N S> R>/120 : n D P : m P D m G : R",
   "R m P N S> R> m> G> R>/100 S>/100 : n D P : m G R : S"],
  "Rain-soaked and patriotic in feeling. It ascends R m P N S>: shuddha Ni "
  "rises to Sa, komal Ni falls, and the return G N< S ends many phrases.")

R(14, "Bageshree", 1, "Kafi", "Audav-Sampurna", "m", "S", TIMES["mid"], 2,
  "S R g m P D n",
  "S g m D n S>", "S> n D m P D m g R S",
  "D< n< S m : m g : m D n D : m g R S",
  ["S : n< D< : m< D< n< S/120 : m g/100 R S",
   "S g m/120 : g m D : m g R : S",
   "g m D n D/100 : m g : m g R S",
   "m D n S>/120 : n D : m P D/80 : m g R S",
   "D n S> g> R> S>/100 : n D m/120 : g m g R S"],
  "Longing midnight raga. Re and Pa are left out in ascent and Pa is used "
  "sparingly; Ma is the home of the melody, reached by the leap S m.")

R(15, "Malkauns", 1, "Bhairavi", "Audav-Audav", "m", "S", TIMES["mid"], 2,
  "S g m d n",
  "S g m d n S>", "S> n d m g S",
  "m g m d n d m : g m g S",
  ["S : n< d< : m< d< n< S/120 : g m g S",
   "n< S g m/120 : g m d m/100 : m'g/80 S",
   "g m d n d/100 : m g m g/100 : S",
   "m d n S>/120 : g> m> g> S>/100 : n d : m'g/80 S",
   "d n S> n d m/120 : g m g : S"],
  "Deep and meditative pentatonic raga of the night, without Re and Pa. "
  "Notes are approached with slow glides; Ma is the centre.")

R(16, "Brindavani Sarang", 1, "Kafi", "Audav-Audav", "R", "P", TIMES["noon"], 1,
  "S R m P n N",
  "S R m P N S>", "S> n P m R S",
  "N< S R : m R : P m R : N< S",
  ["S : N< S R/120 : S n< P</80 : N< S",
   "N< S R m/80 : R/100 : P m R : S",
   "R m P n P/100 : m R/100 : S",
   "m P N S>/120 : R> S> : n P : m R/100 : S",
   "P N S> R>/120 : S> n P : m P m R : N< S"],
  "Bright midday raga without Ga and Dha; shuddha Ni rises, komal Ni falls. "
  "Re and Pa answer each other.")

R(17, "Bhimpalasi", 1, "Kafi", "Audav-Sampurna", "m", "S", TIMES["noon"], 1,
  "S R g m P D n",
  "n< S g m P n S>", "S> n D P m g R S",
  "n< S m : m g P m : g m g R S",
  ["n< S m/120 : g m g R : S",
   "S g m P/100 : m g/80 : R S",
   "m P n D P/100 : g m g R S : m g P m",
   "m P n S>/120 : n D P : m P g m : g R S",
   "g m P n S> g> R> S>/100 : n D P m/120 : g R S"],
  "Tender afternoon raga. Re and Dha are left out in ascent; Ma is the "
  "resting note and the leap n< S m opens it.")

R(18, "Kedar", 1, "Kalyan", "Audav-Shadav", "m", "S", TIMES["eve"], 1,
  "S R G m M P D N",
  "S m P D N S>", "S> N D P M P D P m R S",
  "S m : m P : M P D P m : G m R S",
  ["S S'm/150 : R S",
   "S m/100 : m P/100 : M P D P/80 : m",
   "P M P D P/80 : S> N D P : M P D P m/120 : R S",
   "M P D N S>/120 : R> S> : N D P : M P D P m : G m R : S",
   "m P S>/100 : D S> R> S>/120 : N D P : m G m R S"],
  "Majestic evening raga built on the leap S m. Both Ma: tivra Ma in the "
  "figure M P D P, shuddha Ma as the resting note; Ga only lightly in "
  "descent.")

R(19, "Hameer", 1, "Kalyan", "Shadav-Sampurna", "D", "G", TIMES["night"], 1,
  "S R G m M P D N",
  "S R S G m D N S>", "S> N D P M P D P G m R S",
  "S R S : G m N'D : D P : G m R S",
  ["S R S/80 : D< N< S/100 : G m R S",
   "S R S : G m N'D/150 : P : G m R S",
   "G m D/100 : N D P : M P D P/80 : G m R : S",
   "P D N S>/120 : R> S> : N D P : G m N'D/100 : P : G m R S",
   "G m D/80 N S>/120 : N D P : M P D P : G m R S"],
  "Bold and stately; Dha is reached from Ni with a touch (G m N D). Tivra Ma "
  "only in the turn M P D P.")

R(20, "Bihag", 1, "Bilawal", "Audav-Sampurna", "G", "N", TIMES["night"], 1,
  "S R G m M P D N",
  "N< S G m P N S>", "S> N D P M P G m G R S",
  "N< S G m P : M P G m G : R S",
  ["N< S G/100 : m G : R S",
   "S G m P/100 : M P G m G/120 : R S",
   "G m P N/100 : D P : M P G m G",
   "P N S>/120 : N D P : M P G m G/120 : R S : G m P N",
   "G m P N S> G> R> S>/100 : N D P : M P G m G : S"],
  "Romantic night raga. Re and Dha are left out in ascent; tivra Ma appears "
  "only in the turn M P G m G, and Ga and Ni are the resting notes.")

R(21, "Shuddha Kalyan", 1, "Kalyan", "Audav-Sampurna", "G", "D", TIMES["eve"], 1,
  "S R G M P D N",
  "S R G P D S>", "S> N D P M G R S",
  "G R S N< D< P< : S R G : P R : S",
  ["S N< D< P</100 : S R G/120 : R S",
   "S R G P/100 : R G : P R/100 : S",
   "G P D/100 : P : G P R/80 : G R S",
   "P D S>/120 : S> N D P : M G R : G R S",
   "G P D S> R> G> R> S>/100 : N D P : G R : N< D< S"],
  "Ascends like Bhupali and descends like Yaman; calm and expansive. The "
  "leap P R in descent is characteristic.")

R(22, "Jaunpuri", 1, "Asavari", "Shadav-Sampurna", "d", "g", TIMES["late"], 1,
  "S R g m P d n",
  "S R m P d n S>", "S> n d P m g R S",
  "m P n d P : d m P g : R m P",
  ["S R m P/120 : m P d/80 m P : g/80 R S",
   "R m P d/100 : P : d m P g/100 : R S",
   "m P n d P/100 : d m P : g/120 R S",
   "m P d n S>/120 : R> n d/100 P : g R : R m P",
   "P d n S> R> g>/100 R> S>/100 : n d P : d m P g/120 : R S"],
  "Close to Asavari but with komal Ni in ascent; lively, with phrases that "
  "come to rest on Pa.")

R(23, "Darbari Kanada", 1, "Asavari", "Sampurna-Sampurna", "R", "P", TIMES["mid"], 1,
  "S R g m P d n",
  "n< S R g R S m P d n S>", "S> d n P m P g m R S",
  "m'g R R S : d< n< P< : m< P< n< S",
  ["S d< n< P</100 : m< P< n<'d</120 : n< S",
   "n< S R/120 : m'g/150 : m R S",
   "R m P/100 : n'd/150 : n P : m P m'g/120 : m R S",
   "m P d n S>/100 R> S>/80 : n'd/150 n P : m P g m R S",
   "R g R S/80 : n< S R/80 : m P/120 : m'g/120 m R S"],
  "Grave and majestic, at home in the lower octave. Komal Ga and komal Dha "
  "are sung with a slow, heavy oscillation; phrases move in curves.")

R(24, "Puriya Dhanashree", 1, "Purvi", "Sampurna-Sampurna", "P", "r", TIMES["dusk"], 1,
  "S r G M P d N",
  "N< r G M P d N S>", "S> N d P M G M r G r S",
  "N< r G M P : d P : M G M r G : r S",
  ["N< r G M P/120 : d P/100 : M G M r G : r S",
   "N< r G M P/150 : M G : M r G : r S",
   "M d P/120 : M G M r G/100 : r S",
   "M d N S>/120 : N r> S> : N d P/150 : M G M r G : r S",
   "G M d N S> r>/100 S>/100 : N d P/120 : d M G : r G : r S"],
  "Sunset raga of Purvi colour but with Pa strong and only tivra Ma; the "
  "phrase M G M r G is its mark.")

R(25, "Tilak Kamod", 1, "Khamaj", "Shadav-Sampurna", "R", "P", TIMES["night"], 1,
  "S R G m P D N",
  "P< N< S R G S R m P N S>", "S> P D m G S R G S N<",
  "P< N< S R G S : R m P N S> : S> P D m G : S R G S N<",
  ["P< N< S R/80 G/100 S : P< N< S",
   "S R G S : R m P/120 : D m G/100 : S R G S : N< S",
   "R m P N S>/120 : S> P D m G/120 : R G S N< : S",
   "P N S> R> G> S>/100 : N S> P/100 : D m G : S R G S N< S",
   "m P D m G/100 : R G S N< : P< N< S R/120 : S"],
  "Playful and folk-like; Dha is left out in ascent and all phrases turn "
  "back on themselves (S R G S, P D m G).")

R(26, "Hindol", 1, "Kalyan", "Audav-Audav", "D", "G", TIMES["morn"], 3,
  "S G M D N",
  "S G M D N S>", "S> N D M G S",
  "N< D< S : G M D : M G : S",
  ["S N< D</120 : S G/80 M'G/100 : S",
   "S G M D/150 : M G : S",
   "G M D N D/120 : M D M'G/100 : S",
   "M D S>/120 : N D/100 : M G M D : M'G S",
   "G M D S> G> S>/100 : N D/120 : M G : S"],
  "Spring raga of the morning without Re and Pa. Dha is dwelt on; Ga is "
  "reached from tivra Ma with a glide.")

R(27, "Sohini", 1, "Marwa", "Audav-Shadav", "D", "G", TIMES["pre"], 3,
  "S r G M D N",
  "S G M D N S>", "S> r> S> N D G M D G M G r S",
  "G M D N S> : r> S> : N D : G M G r S",
  ["S G M D/120 : G M G/80 r/80 S",
   "G M D N S>/150 : r> N D/120 : N r> S>",
   "M D N S> r>/120 S> : N D : G M D/100 : G M G r S",
   "S> N D N S>/100 : G>/80 r> S>/120 : N D : M D G/100 : r S",
   "D N S> G> M> G> r>/100 S>/120 : N D : G M D N D : G M G r S"],
  "Brilliant and impatient raga of the upper octave, without Pa. The upper "
  "Sa and komal Re above it are where the melody lives, and phrases rest on "
  "the upper Sa.")

R(28, "Multani", 1, "Todi", "Audav-Sampurna", "P", "S", TIMES["aft"], 1,
  "S r g M P d N",
  "N< S g M P N S>", "S> N d P M g r S",
  "N< S M g : M P : g M g : r S",
  ["N< S M g/120 : r S",
   "N< S g M P/150 : M g : M g r S",
   "g M g r S : M P N/80 d P/150 : M g M P",
   "M P N S>/150 : N d P : M g : g M g r S",
   "g M P N S> g> r> S>/100 : N d P/100 : M g : r S"],
  "Intense late-afternoon raga with Todi notes that leads into the evening. Re "
  "and Dha are left out in ascent, and Pa is a strong resting note; komal Ga is "
  "approached from tivra Ma.")

R(29, "Kamod", 1, "Kalyan", "Shadav-Sampurna", "P", "R", TIMES["eve"], 1,
  "S R G m M P D N",
  "S R P M P D P N D S>", "S> N D P M P D P G m P G m R S",
  "R P : M P D P : G m P : G m R S",
  ["S R/80 : R'P/150 : G m P/80 : G m R S",
   "M P D P/120 : G m P/100 : G m R : S",
   "P M P D P/80 : N D S>/120 : D P : G m P G m R S",
   "P D N S>/120 : R> S> : D P/100 : M P D P : G m P : G m R S",
   "R P/120 : M P D P/80 : S> D P/100 : G m R S"],
  "Graceful evening raga of curved phrases: the leap R P and the turn "
  "G m P G m R S.")

R(30, "Ahir Bhairav", 1, "Bhairav", "Sampurna-Sampurna", "m", "S", TIMES["dawn"], 1,
  "S r G m P D n",
  "S r G m P D n S>", "S> n D P m G r S",
  "G m r S : D< n< r S",
  ["S : D< n< r/100 : S",
   "S r G m/150 : G m r/80 : S",
   "G m P D/100 : n D P : G m r S : r G m",
   "m P D n S>/150 : n D P : G m r/80 : S",
   "D n S> r> S>/120 : n D P m/120 : G m r S : D< n< r S"],
  "Early morning raga: Bhairav below, Kafi above (shuddha Dha, komal Ni). "
  "Peaceful; Ma is the resting note.")

# ---------------------------------------------------------------- group 2
R(31, "Lalit", 2, "Marwa", "Shadav-Shadav", "m", "S", TIMES["pre"], 2,
  "S r G m M d N",
  "N< r G m M m d N S>", "S> N d M d m M m G r S",
  "N< r G m : M m G : r G r S",
  ["N< r G m/150 : G r S",
   "N< r G m : M m G/120 : r G r : S",
   "m M d/150 : M d M m G/120 : r G m",
   "M d N S>/150 : r> N d/120 : M d m M m G : r S",
   "m d S>/120 : N r> S>/100 : N d : M m G/120 : r G r S"],
  "Haunting raga of the hours before dawn, without Pa. Both Ma are sung one "
  "after the other (m M m G), the signature no other raga shares; shuddha Ma "
  "is the resting note.")

R(32, "Puriya", 2, "Marwa", "Shadav-Shadav", "G", "N", TIMES["dusk"], 3,
  "S r G M D N",
  "N< r G M D N S>", "S> N D M G r S",
  "N< r G : M D G M G : r S",
  ["S N< D< : M< D< N< r/80 : S N<",
   "N< r G/150 : r G M G/100 : r S : N< r G",
   "G M D/100 : G M G/120 : M G r S",
   "G M D N S>/120 : N D N/100 : M D G M G/120 : r S",
   "M D N r> S>/150 : N D M G : M D G M G : r S"],
  "Marwa's notes, but calm and deep: the lower octave and the lower half of "
  "the middle one are its field, and Ga and Ni are the resting notes.")

R(33, "Shree", 2, "Purvi", "Audav-Sampurna", "r", "P", TIMES["dusk"], 1,
  "S r G M P d N",
  "S r M P N S>", "S> N d P M G r S",
  "S r r'P : M P d M G r : G r S",
  ["S N< S r/150 : S",
   "S r r'P/150 : M P d M G r/120 : G r S",
   "r M P/120 : d M G r/100 : G r S",
   "M P N S>/150 : r> S> : N d P : M G r : S",
   "P N S> r>/150 : N d P : r'P/120 : M G r/120 S"],
  "Solemn and ancient sunset raga. Komal Re is held long and joined to Pa "
  "with a wide glide (r P); Ga and Dha are left out in ascent.")

R(34, "Basant", 2, "Purvi", "Audav-Sampurna", "S", "P", TIMES["pre"], 1,
  "S r G m M P d N",
  "S G M d r> S>", "S> N d P M G m G r S",
  "M d r> S> : N d P : M G m G : r S",
  ["N< S G M G/120 : r S",
   "G M d r>/100 S>/150 : N d P : M G M G/120",
   "r> N d P/120 : M G m G/100 : r S : M d r> S>",
   "S> r>/120 N d P/100 : M d/80 M G : m G/120 r S",
   "P M G M d S>/150 : r> N d/100 P : M G : S"],
  "Spring raga, sung late at night. Phrases rest on the upper Sa, its summit "
  "and its vadi; both Ma are used, shuddha Ma only in the fall m G.")

R(35, "Gaud Sarang", 2, "Kalyan", "Shadav-Sampurna", "G", "D", TIMES["noon"], 1,
  "S R G m M P D N",
  "S G R m G P M D P S>", "S> D N P D M P G m R S",
  "S G R m G : P R S",
  ["S G R m G/150 : P R/100 : S",
   "S G R m G : P M D P/120 : G m R : S",
   "G P D/120 : M P D P : G R m G : P R S",
   "P M D P S>/150 : R> S> : N D P : G m R S",
   "G R m G P/100 : R/120 : G m R S"],
  "Midday raga of zigzag movement: S G R m G and P R are its hallmarks; "
  "tivra Ma appears in the turn P M D P.")

R(36, "Chhayanat", 2, "Kalyan", "Sampurna-Sampurna", "R", "P", TIMES["eve"], 1,
  "S R G m M P D N",
  "S R G m P N D S>", "S> N D P M P D P G m R S",
  "P R : R G m P : m G m R S",
  ["S R/150 : G m P : P'R/120 S",
   "R G m P/150 : m G m R/100 : S",
   "P N D S>/120 : D P : M P D P : G m R S",
   "G m P N S>/120 : R> S> : N D P : P'R/120 : S",
   "S R S : R G m P D P/120 : G m R : S"],
  "Evening raga that links Re and Pa: the leap P R, sung with a glide, and "
  "the turn R G m P identify it.")

R(37, "Jaijaivanti", 2, "Khamaj", "Sampurna-Sampurna", "R", "P", TIMES["night"], 1,
  "S R g G m P D n N",
  "S D< n< R G m P N S>", "S> n D P D m G R g R S",
  "R g R S : D< n< R : R G m P",
  ["S D< n< R/150 : R g R S",
   "R G m P/150 : m G R/100 : R g R S",
   "m P N S>/150 : n D P : D m G R : R g R S",
   "P N S> R>/150 : S> n D P : R G m P : m G R S",
   "R P/120 : D m G R/100 : g R S : D< n< R S"],
  "Noble night raga with both Ga and both Ni: komal Ga only in the turn "
  "R g R S, shuddha Ni rising to Sa. Re is the centre.")

R(38, "Rageshree", 2, "Khamaj", "Audav-Shadav", "G", "n", TIMES["night"], 2,
  "S R G m D n",
  "S G m D n S>", "S> n D m G R S",
  "G m D n D : m G R S",
  ["S n< D< : n< S G/150 : m G R S",
   "G m D/120 : n D/100 : m G : R S : G m D",
   "G m D n/120 S>/150 : n D : m G",
   "m D n/120 S> R> S>/120 : n D : m D n D/100 : m G : R S",
   "D n S>/100 : G> R> S>/120 : n D m/80 G/120 : m G R S"],
  "Graceful night raga without Pa, of komal Ni alone: it rises S G m D n S> "
  "and turns in m D n D. Ga and Dha are the resting notes.")

R(39, "Jhinjhoti", 2, "Khamaj", "Audav-Sampurna", "G", "D", TIMES["night"], 1,
  "S R G m P D n",
  "S R m P D S>", "S> n D P m G R S",
  "D< S R m G : R G S R n< D< : P< D< S",
  ["D< S R m G/150 : R S : n< D< : P< D< S",
   "R m P D/150 : P m G/100 : m G R S",
   "m P D S>/150 : n D P : D m G",
   "P D S> R> m> G>/120 : R> S> : n D P : D m G : R S",
   "S R m G/120 : S R n< D</120 : P< D< S"],
  "Light and sweet, mostly in the lower and middle octaves. Ga is the resting "
  "note, though it is left out in ascent (D< S R m G); many phrases start on "
  "the lower Dha.")

R(40, "Miyan ki Malhar", 2, "Kafi", "Shadav-Shadav", "m", "S", TIMES["night"] + "; any time in the rains", 1,
  "S R g m P D n N",
  "S R m R P n D N S>", "S> n P m P g m R S",
  "R m R P : n D N S> : n P m P : g m R S",
  ["S R m R P/150 : m'g/120 m R S",
   "R m P n/100 P : m P m'g/100 : m R S",
   "m P n D N S>/150 : n P : m P : m'g m R S",
   "P n D N S> R> S>/150 : n P/100 : m P g/80 m R S",
   "m R P/120 : n D N S>/120 : S> n P : m R/100 : S"],
  "The great raga of the monsoon. Komal Ga is sung with a heavy oscillation "
  "in g m R S; both Ni stand side by side in n D N S.")

R(41, "Megh", 2, "Kafi", "Audav-Audav", "S", "P", TIMES["mid"] + "; any time in the rains", 1,
  "S R m P n",
  "S R m P n S>", "S> n P m R S",
  "R m P : n P m R : R n< S",
  ["n< S R/120 : m'R/100 : n< S",
   "R m P/150 : n P m'R/120 : S",
   "m P n S>/150 : n P : m P n P m'R : S",
   "P n S> R> S>/150 : n P : m'R/120 : n< S",
   "S> R> m> R> S>/120 : n P m/100 : m'R/100 : S"],
  "Monsoon raga of wide, slow movements without Ga and Dha. Re is sung with "
  "a glide from Ma (m R), the sound of gathering clouds.")

R(42, "Madhuvanti", 2, "Todi", "Audav-Sampurna", "P", "S", TIMES["aft"], 1,
  "S R g M P D N",
  "N< S g M P N S>", "S> N D P M g R S",
  "N< S g M P : M g R S",
  ["N< S g M/120 : g R S",
   "S g M P/150 : M g R S : M g M P",
   "M P N S>/150 : N D P/100 : M g : R S",
   "g M P N S> R> S>/120 : N D P : M P g M/100 : g R S",
   "P N S> g> R> S>/120 : N D P/150 : M g R S"],
  "Sweet late-afternoon raga: komal Ga with tivra Ma, shuddha Re and Dha. Re "
  "and Dha are left out in ascent; Pa is the resting note.")

R(43, "Gurjari Todi", 2, "Todi", "Shadav-Shadav", "d", "g", TIMES["late"], 3,
  "S r g M d N",
  "S r g M d N S>", "S> N d M g r S",
  "d< N< S r g : M d M g : r g r S",
  ["S : d< N< S r/80 g/150 : M d M g/120 : r g r S",
   "r g M d/150 : M g r g/100 : r S",
   "M d N S>/150 : N d/120 : M g : r g r S",
   "g M d N S> r> S>/120 : N d M/100 : g r : S",
   "d N S> r> g> r> S>/120 : N d/150 : M g r g r S"],
  "Todi without Pa: the melody passes from tivra Ma straight to komal Dha, "
  "which is held long.")

R(44, "Kalingada", 2, "Bhairav", "Sampurna-Sampurna", "P", "S", TIMES["pre"], 1,
  "S r G m P d N",
  "S r G m P d N S>", "S> N d P m G r S",
  "d P : G m G : r S",
  ["N< S G m/80 G/100 : r S",
   "S G m P/150 : d P : G m G/100 : r S",
   "G m P d N S>/150 : N d P/120 : G m G : r S",
   "m P d N S> r> S>/120 : N d P/100 : m G/100 : r S",
   "d P/120 : G m P/100 : d N S>/150 : d P : G m r S"],
  "Bhairav's notes without its oscillations; lighter and brisker, with Pa and "
  "the upper half in front.")

R(45, "Ramkali", 2, "Bhairav", "Sampurna-Sampurna", "P", "S", TIMES["dawn"], 1,
  "S r G m M P d n N",
  "S r G m P d N S>", "S> N d P M P d n d P G m r S",
  "M P d n d P : G m r S",
  ["S N< S G m/120 : r S",
   "S G m P/150 : d P G m/100 : r/100 S",
   "M P d n d P/150 : G m r/100 : S",
   "G m P d N S>/150 : r> S> : N d P : M P d n d P : G m r S",
   "m P d N S> r>/120 S> : N d/100 P : G m P : G m r S"],
  "Dawn raga of the Bhairav family that also uses tivra Ma and komal Ni, in "
  "the turn M P d n d P. Its weight lies on Pa and the upper half, which sets "
  "it apart from Bhairav.")

R(46, "Jog", 2, "Khamaj", "Audav-Audav", "m", "S", TIMES["mid"], 1,
  "S g G m P n",
  "S G m P n S>", "S> n P m G m g S",
  "S G m P : n P m G : m g S",
  ["n< S G m/120 : G m g/100 S",
   "S G m P/150 : n P m G/100 : m g S",
   "m P n S>/150 : n P/100 : m G m g S",
   "P n S> G> m> g>/100 S>/120 : n P/100 : G m P m G : m'g S",
   "G m P n P/120 : m G/100 : m'g/100 S : n< S"],
  "Late-night pentatonic raga with both Ga: shuddha Ga rises, komal Ga falls "
  "to Sa with a glide (m g S). Ma is the centre.")

R(47, "Shivranjani", 2, "Kafi", "Audav-Audav", "P", "S", TIMES["mid"], 1,
  "S R g P D",
  "S R g P D S>", "S> D P g R S",
  "S R g : R g R S : D< S",
  ["S D< : P< D< S R/80 g/150 : R S",
   "S R g/120 : g'R/100 : S",
   "R g P/150 : D P g R/100 : S R g P",
   "g P D S>/150 : D P : g R : S",
   "P D S> R> g>/100 R>/120 S> : D P g : g'R/120 S"],
  "Plaintive pentatonic raga, Bhupali with komal Ga. Pa and Sa are the "
  "resting notes; komal Ga is often let fall to Re with a glide.")

R(48, "Pilu", 2, "Kafi", "Audav-Sampurna", "g", "N", TIMES["noon"], 1,
  "S R g G m P D n N",
  "N< S G m P N S>", "S> n D P m g R S",
  "N< S g : R S N< : P< N< S",
  ["S N< : P< N< S g/120 : R S N< : S",
   "N< S G m P/150 : D P m g/100 : R S",
   "S G m P/120 : P N S>/150 : n D P : g R S",
   "P N S> g>/100 R> S> : n D P : m g/120 : R S N< S",
   "m P D P g/120 : S g R S : N< D< P</100 : N< S"],
  "Light, tender raga of thumri and folk song that freely mixes both Ga and "
  "both Ni; it lives in the lower half and ends on N< S.")

R(49, "Deshkar", 2, "Bilawal", "Audav-Audav", "D", "G", TIMES["morn"], 1,
  "S R G P D",
  "S R G P D S>", "S> D P G R S",
  "G P D : D P G P : G R S",
  ["S R S : G P/150 : D P G P/100 : G R S",
   "G P D/150 : P D P G/100 : P : G P D",
   "G P D S>/150 : D S> R> S>/100 : D P",
   "P D S> R> G> R> S>/150 : D P : G P D P G/120 : R S",
   "D P G P/120 : D S>/100 : R> S> D P : G P G R S"],
  "Bright morning raga with Bhupali's notes but its weight in the upper "
  "half: Dha and Pa are its resting notes, and it avoids the lower octave.")

R(50, "Kalavati", 2, "Khamaj", "Audav-Audav", "P", "S", TIMES["mid"], 1,
  "S G P D n",
  "S G P D n S>", "S> n D P G S",
  "G P D n D P : G P G S",
  ["S n< D< P</100 : D< n< S G/150 : S",
   "S G P/150 : G P D n D P/120 : G S",
   "G P D n S>/150 : n D P : G P G/100 : S",
   "P D n S> G> S>/150 : n D P/120 : D n D P : G S",
   "D n D P/120 : G P/100 : G S : n< D< S"],
  "Cheerful pentatonic raga without Re and Ma; Pa and komal Ni shape its "
  "phrases.")

# ---------------------------------------------------------------- group 3
R(51, "Shankara", 3, "Bilawal", "Audav-Shadav", "G", "N", TIMES["mid"], 1,
  "S R G P D N",
  "S G P N D S>", "S> N D P G P R G S",
  "G P N D S> : N P : G P R G : S",
  ["S N< P</100 : N< S G/150 : R G S",
   "S G P/150 : G P R G/100 : S",
   "G P N D S>/150 : N P/120 : G P R G : S",
   "P N S> G>/120 R> S> : N D S>/100 : N P : G P G : S",
   "G P N S> N P/120 : G P/100 : R G S"],
  "Heroic late-night raga without Ma. Ga and Ni are the pillars; Re and Dha "
  "appear only in turns (N D S, P R G S).")

R(52, "Adana", 3, "Asavari", "Shadav-Sampurna", "S", "P", TIMES["mid"], 1,
  "S R g m P d n",
  "S R m P d n S>", "S> d n P m P g m R S",
  "m P d n S> : d n P : m P g m R S",
  ["S R m P/150 : m P g m R : S",
   "m P d n S>/150 : d n P/120 : m P g m R S",
   "P d n S> R>/120 S>/120 : d n P : m P",
   "S> R> g> R> S>/150 : d n P/100 : m P g/100 m R S",
   "m P n n S>/120 : d n P : d n S> R> S>"],
  "Vigorous companion of Darbari, sung in the upper half: phrases rest on "
  "the upper Sa, and komal Ga and Dha are sung plainly, without oscillation.")

R(53, "Chandrakauns", 3, None, "Audav-Audav", "m", "S", TIMES["mid"], 2,
  "S g m d N",
  "S g m d N S>", "S> N d m g S",
  "d N S> : N d m : g m g S",
  ["S N< d</100 : N< S g/80 m/150 : g S",
   "g m d/100 N d/80 m/150 : g m g S",
   "m d N S>/150 : N d m/120 : g m g S",
   "d N S> g> m> g>/120 S>/120 : N d m : g S",
   "g m d N d m/150 : m'g/100 S : N< S"],
  "Malkauns with shuddha Ni: the bright Ni against komal Dha gives it a "
  "tense, luminous colour. It fits none of the ten thatas.")

R(54, "Kirwani", 3, None, "Sampurna-Sampurna", "P", "S", TIMES["night"], 1,
  "S R g m P d N",
  "S R g m P d N S>", "S> N d P m g R S",
  "P d N S> : N d P : m g R : S",
  ["S N< d< N< S R/80 g/150 : R S",
   "S R g m P/150 : d P m g/100 : R S",
   "m P d N S>/150 : N d P/120 : m g R S",
   "P d N S> R> g> R> S>/150 : N d P : m g : R S",
   "g m P d P/120 : m g/100 : R g R S : N< S"],
  "Melancholy raga of the harmonic minor scale, from the southern tradition; "
  "it fits none of the ten thatas. Pa is its pivot.")

R(55, "Bairagi", 3, "Bhairav", "Audav-Audav", "m", "S", TIMES["dawn"], 1,
  "S r m P n",
  "S r m P n S>", "S> n P m r S",
  "r m P : n P m : r S",
  ["n< S r/100 : S n< P</100 : n< S",
   "S r m P/150 : m r/100 : S",
   "m P n P/120 : m/150 : P m r : S r m",
   "P n S> r> S>/150 : n P m/120 : r S",
   "m P n S> m> r>/100 S>/150 : n P : m r S"],
  "Austere pentatonic morning raga, without Ga and Dha. Komal Re and Ma are "
  "closely bound (r m), and Ma is the resting note.")

R(56, "Gunakali", 3, "Bhairav", "Audav-Audav", "d", "r", TIMES["morn"], 1,
  "S r m P d",
  "S r m P d S>", "S> d P m r S",
  "m P d : d P m r : S",
  ["S d< P</100 : d< S r/150 : S",
   "S r m P/150 : d P m/100 : r S",
   "m P d/150 : P m r/100 : S",
   "P d S> r>/120 S>/150 : d P : m r S",
   "m P d S> d P/120 : m/100 r/120 : S"],
  "Grave morning raga, Bhairav without Ga and Ni; komal Dha and komal Re are "
  "held long.")

R(57, "Bilaskhani Todi", 3, "Bhairavi", "Audav-Sampurna", "d", "g", TIMES["late"], 1,
  "S r g m P d n",
  "S r g P d S>", "S> r> n d P d m g r g r S",
  "r g P : d m g : r g r S",
  ["d< S r g/150 : r g r S",
   "r g P/150 : d m g/100 : r g r S",
   "g P d S>/150 : r> n d/120 : P : d m g : r S",
   "P d S> r> g>/120 r> S> : r> n d P/100 : m g r g r S",
   "d S> r> n d/150 : P d m g/120 : r S"],
  "Bhairavi's notes sung in the manner of Todi: Ma and Ni are left out in "
  "ascent and the descent winds back (d m g, r g r S).")

R(58, "Komal Rishabh Asavari", 3, "Bhairavi", "Audav-Sampurna", "d", "g", TIMES["late"], 1,
  "S r g m P d n",
  "S r m P d S>", "S> n d P m g r S",
  "r m P : n d P : m P g r : S",
  ["S r m P/150 : g/120 r : S",
   "r m P d/150 : m P : g/100 r S",
   "m P d S>/150 : r> n d/120 : P : m P g r S",
   "P d S> r> g> r> S>/150 : n d P : d m P : g/120 r S",
   "d m P/120 : n d P/100 : m P g/100 r S"],
  "Asavari with komal Re: a serious late-morning raga that leaves out Ga and "
  "Ni in ascent.")

R(59, "Abhogi", 3, "Kafi", "Audav-Audav", "m", "S", TIMES["night"], 2,
  "S R g m D",
  "S R g m D S>", "S> D m g R S",
  "D< S R g : m D m g : R S",
  ["D< S R g/150 : R S",
   "S R g m/150 : D m g/100 : R S",
   "g m D S>/150 : D m/120 : g m g R S",
   "m D S> R> g>/120 R> S> : D m g/100 : R S",
   "D m D S>/120 : R> S> D m/150 : g R S : D< S"],
  "Pentatonic raga of the Kanada family without Pa and Ni; Ma is the centre "
  "and the phrase D m g R S closes it.")

R(60, "Shuddha Sarang", 3, "Kalyan", "Audav-Shadav", "R", "P", TIMES["noon"], 1,
  "S R m M P D N",
  "N< S R M P N S>", "S> N D P m R S",
  "N< S R M P : m R : S N< D< S",
  ["S N< D< S/100 : N< S R/150 : S",
   "N< S R M P/150 : m R/100 : S",
   "R M P N/100 D P/120 : M P m R/100 : S",
   "M P N S>/150 : R> S> : N D P : m R S",
   "P N S> R> S>/150 : N D P/120 : M P m R : N< S"],
  "Midday Sarang with both Ma: tivra Ma rises, shuddha Ma falls to Re. No "
  "Ga; Re and Pa answer each other.")

R(61, "Maru Bihag", 3, "Kalyan", "Audav-Sampurna", "G", "N", TIMES["night"], 1,
  "S R G m M P D N",
  "N< S G M P N S>", "S> N D P M G R S",
  "N< S G : M P : M G R S",
  ["S : N< S G/150 : M G R S",
   "N< S G M P/150 : M G/100 : R S",
   "G M P N/120 : D P : M G : G m G R S",
   "M P N S>/150 : N D P/100 : M G M P : M G R S",
   "P N S> G> R> S>/150 : N D P : M G/120 : R S"],
  "Romantic night raga close to Bihag but led by tivra Ma; shuddha Ma only "
  "touches Ga in G m G.")

R(62, "Bhinna Shadja", 3, "Bilawal", "Audav-Audav", "m", "S", TIMES["mid"], 2,
  "S G m D N",
  "S G m D N S>", "S> N D m G S",
  "N< S G m : D N D m : G S",
  ["S N< D</100 : N< S G/100 m/150 : G S",
   "G m D/150 : m G/100 : S",
   "m D N S>/150 : N D m/120 : G m G S",
   "D N S> G> m>/100 G> S>/150 : N D : m G S",
   "G m D N D m/150 : G m D m G/100 : S"],
  "Also called Kaushik Dhwani: Malkauns's pattern on the natural notes, "
  "without Re and Pa. Ma is the centre.")

R(63, "Patdeep", 3, "Kafi", "Audav-Sampurna", "P", "S", TIMES["noon"], 1,
  "S R g m P D N",
  "N< S g m P N S>", "S> N D P m g R S",
  "N< S g m P : m P g m g : R S",
  ["S : N< S g/100 m/150 : g R S",
   "N< S g m P/150 : m P g m g/100 R S",
   "m P N S>/150 : N D P/120 : m g R S",
   "P N S> g> R> S>/150 : N D P : m P g/100 : R S",
   "g m P N D P/150 : g R S : m g m P"],
  "Afternoon raga like Bhimpalasi but with shuddha Ni, which gives it a "
  "bright lift to Sa. Pa is the resting note.")

R(64, "Puriya Kalyan", 3, "Marwa", "Sampurna-Sampurna", "G", "N", TIMES["dusk"], 1,
  "S r G M P D N",
  "N< r G M P D N S>", "S> N D P M G M r G r S",
  "N< r G M P : M G r : G r S",
  ["S : N< D< N< r/100 G/150 : r S",
   "N< r G M P/150 : M G r/100 : N< r G",
   "M P D N/120 D P : M G M r G/120 : r S",
   "M D N S>/150 : N r> S> : N D P : M G r S",
   "G M P D N S> r> S>/150 : N D P/100 : M G/120 : r S"],
  "Sunset raga joining Puriya below and Kalyan above: komal Re with Pa "
  "present. Ga is the resting note.")

R(65, "Vibhas", 3, "Bhairav", "Audav-Audav", "d", "r", TIMES["dawn"], 1,
  "S r G P d",
  "S r G P d S>", "S> d P G r S",
  "G P d P : G r : S",
  ["S d</120 P</100 : d< S r G/100 : r/100 S",
   "S r G P/150 : G r/100 : S",
   "G P P'd/150 P : G P G r/100 : S",
   "P d S> r>/120 S>/150 : d P : G P G r : S",
   "G P d S> d P/150 : P'd/120 P G : r S"],
  "Pentatonic dawn raga of Bhairav's notes without Ma and Ni; komal Dha is "
  "held with an oscillation from Pa.")

R(66, "Paraj", 3, "Purvi", "Audav-Sampurna", "S", "P", TIMES["pre"], 1,
  "S r G m M P d N",
  "S G M d N S>", "S> N d P M G m G r S",
  "N S> r> S> : N d P : M G m G : r S",
  ["S : N< S G/120 : M G m G/100 : r S",
   "G M d N S>/150 : N d P/120 : M G : r S",
   "N S> r> S>/150 : N d/100 P : M d N S>/120",
   "S> r> N S>/120 : G> r> S>/150 : N d P : M G m G : r S",
   "P M G M d N/120 S>/150 : N d P : M G r S"],
  "Brilliant raga of the last hours of the night, sung mostly around upper "
  "Sa; shuddha Ma only in the turn M G m G.")

R(67, "Hamsadhwani", 3, "Bilawal", "Audav-Audav", "P", "S", TIMES["night"], 1,
  "S R G P N",
  "S R G P N S>", "S> N P G R S",
  "N< R S : G R : P G R : S",
  ["S N< P</100 : N< S R/150 : S",
   "S R G P/150 : G R : N< R S",
   "G P N S>/150 : N P/120 : G R : S",
   "P N S> R> G> R> S>/150 : N P : G P G R : S",
   "R G P N P/120 : G P/100 : G R S : N< S"],
  "Joyful pentatonic raga without Ma and Dha, from the southern tradition; "
  "it moves in bright leaps (N< R S, G P N S).")

R(68, "Tilang", 3, "Khamaj", "Audav-Audav", "G", "N", TIMES["night"], 1,
  "S G m P n N",
  "S G m P N S>", "S> n P m G S",
  "S G m P : n P m G : S",
  ["N< S G/150 : m G : S",
   "S G m P/150 : m G/100 : S",
   "G m P N S>/150 : n P/120 : m G : S",
   "P N S> G> S>/150 : n P : G m P m G : S",
   "m P n P/120 : G m G/100 : S : N< S"],
  "Light pentatonic night raga without Re and Dha; shuddha Ni rises, komal "
  "Ni falls to Pa.")

R(69, "Jogiya", 3, "Bhairav", "Audav-Shadav", "m", "S", TIMES["dawn"], 1,
  "S r m P d N",
  "S r m P d S>", "S> N d P d m r S",
  "S r m : P d m : r S",
  ["S r m/150 : r S : d< S",
   "r m P d/150 : d m/120 : r S",
   "m P d S>/150 : N d P/120 : d m/100 : r S",
   "P d S> r> m>/120 r> S>/150 : N d P : d m r S",
   "d m P d/120 : m r/100 : r m/150 : r S"],
  "Wistful dawn raga of the ascetics, without Ga. The bond of komal Re and Ma "
  "(r m) and the fall d m are its heart.")

R(70, "Charukeshi", 3, None, "Sampurna-Sampurna", "P", "S", TIMES["night"], 1,
  "S R G m P d n",
  "S R G m P d n S>", "S> n d P m G R S",
  "S R G m P : d P m G : R S",
  ["S : n< d< n< S R/80 G/150 : R S",
   "S R G m P/150 : m G R/100 : S",
   "m P d n d P/150 : m G : R S",
   "P d n S> R> S>/150 : n d P/120 : m G R S",
   "G m P d P/120 : d m G/100 : R G R S"],
  "Raga of the southern tradition with a major lower half and a minor upper "
  "half; it fits none of the ten thatas. Pa is the pivot.")
