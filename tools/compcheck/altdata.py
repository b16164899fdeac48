"""Layakari and taan phrases written by hand, by raga name.

Layakari: a list of (notes to the matra, phrase) pairs; "1" barabar, "3/2" aad, "2" dugun,
"3" tigun, "4" chaugun. Each note lasts one matra (60) divided accordingly; the last
note of a phrase lasts a matra and lands on the pulse, so the notes before it fill whole
matras: k x n + 1 notes in all (3k + 1 in aad). A note may carry its own duration as
"word/NN"; it counts with that duration.
Taan: a list of phrases; every note 15, the last 30. ":" marks segments.
Ragas not named here get phrases built from their own pakad, scale and alap.
"""

LAYAKARI = {}
TAAN = {}


def L(raga, *phrases):
    LAYAKARI[raga] = [(str(k), p) for k, p in phrases]


def T(raga, *phrases):
    TAAN[raga] = list(phrases)


L("Yaman", (1, "N< R G R : P R : N< R S"), (2, "N< R G M : D N R> S> : N D P M : G R S"),
  ("3/2", "N< R G R G M G M P : M G R S"), (3, "N< R G R G M G M D M D N D N S> : N D P M G R S"),
  (4, "N< R G M D N R> S> N D P M G R G R S"))
T("Yaman", "N< R G M D N S> N D P M G R S", "G M D N R> S> N D P M G R G R S",
  "N< R G R G M G M D M D N D N S> : N D P M G R S", "M D N S> N D P M : G M D N D P M G : R G R S")

L("Bhupali", (1, "G R S D< : S R G : P G : D P G : R S"), (2, "S R G P G R S D< : S R G P D P G R : G R S"),
  ("3/2", "S R G R G P G P D : P G R S"), (3, "S R G R G P G P D P D S> : D P G P G R S"),
  (4, "S R G P D S> D P G P D P G R S D< S"))
T("Bhupali", "S R G P D S> D P G R S", "G P D S> R> S> D P G P D P G R S",
  "S R G R G P G P D P D S> : D P G P G R S", "D< S R G R G P G : P D S> D P G R S")

L("Alhaiya Bilawal", (1, "G R : G P : D n D P : m G m R : S"), (2, "G R G P D N S> N : D n D P m G m R : S"),
  ("3/2", "G P D N D n D P : m G m R S"), (3, "S R G R G P G P D P D N : D P m G m R S"),
  (4, "G R G P D N S> N D n D P m G m R S"))
T("Alhaiya Bilawal", "S R G P D N S> N D P m G R S", "G P D N S> R> S> N D n D P m G m R S",
  "G R G P D N D n D P : m G m R S", "S G R G P D P D N S> : N D n D P m G m R S")

L("Khamaj", (1, "n D : m P D : m G"), (2, "S G m P D N S> n : D P m P D m G"),
  ("3/2", "G m P D N S> n D P : m G R S"), (3, "S G m G m P m P D N S> n : D P m P D m G"),
  (4, "G m P D N S> R> S> n D P m G m G R S"))
T("Khamaj", "S G m P D N S> n D P m G R S", "G m P D N S> R> S> n D P m P D m G",
  "N< S G m G m P D m P D N S> : n D P m G R S", "D N S> n D P m G m G R S")

L("Kafi", (1, "S S R R : g g m m : P"), (2, "S R g m P D n S> : n D P m g R : S"),
  ("3/2", "S R g R g m g m P : m g R S"), (3, "S R g R g m g m P m P D : n D P m g R S"),
  (4, "S S R R g g m m P P D D n D P m P"))
T("Kafi", "S R g m P D n S> n D P m g R S", "g m P D n S> R> g> R> S> n D P m g R",
  "S R g R g m g m P m P D P D n : S> n D P m g R S", "m P D n S> n D P m g R S")

L("Bhairav", (1, "G m d d P : G m r r S"), (2, "S r G m P d N S> : N d P m G r S"),
  ("3/2", "S r G r G m G m P : d P m G m r S"), (3, "S r G r G m G m P m P d : N d P m G r S"),
  (4, "S r G m P d N S> r> S> N d P m G r S"))
T("Bhairav", "S r G m P d N S> N d P m G r S", "G m d N S> r> S> N d P m G m r S",
  "S r G r G m G m P m P d P d N : S> N d P m G r S", "m P d N S> N d P : G m P d P m G r S")

L("Asavari", (1, "R m P : n d P : g R S"), (2, "S R m P d S> R> n d : P m P g R S"),
  ("3/2", "R m P m P d P d S> : n d P m g R S"), (3, "S R m R m P m P d P d S> : n d P m g R S"),
  (4, "R m P d S> R> g> R> S> n d P m P g R S"))
T("Asavari", "S R m P d S> n d P m g R S", "m P d S> R> g> R> S> n d P m g R S",
  "S R m R m P m P d P d S> : n d P m g R S", "R m P n d P m P g R S")

L("Bhairavi", (1, "m g S r S : d< n< S"), (2, "S r g m P d n S> : n d P m g r S"),
  ("3/2", "S r g r g m g m P : m g r S"), (3, "S r g r g m g m P m P d : n d P m g r S"),
  (4, "S r g m P d n S> r> S> n d P m g r S"))
T("Bhairavi", "S r g m P d n S> n d P m g r S", "m P d n S> r> g> r> S> n d P m g r S",
  "S r g r g m g m P m P d P d n : S> n d P m g r S", "d< n< S r g m g r S r n< S")

L("Todi", (1, "d< N< S r g : r S : M g r g r S"), (2, "r g M d N S> N d P M g : r g r S"),
  ("3/2", "S r g r g M g M d : M g r S"), (3, "S r g r g M g M d M d N : d M g r g r S"),
  (4, "r g M d N S> r> S> N d P M g r g r S"))
T("Todi", "S r g M d N S> N d P M g r S", "g M d N S> r> g> r> S> N d M g r S",
  "S r g r g M g M d M d N d N S> : N d M g r S", "d< N< S r g r S : M g r g r S")

L("Purvi", (1, "N< r G : M G : r G : M G r S"), (2, "N< r G M P d N S> : N d P M G m G : r S"),
  ("3/2", "N< r G M P : M G m G : r G r S"), (3, "N< r G r G M G M d M d N d N S> : N d P M G m G"),
  (4, "r G M d N S> r> S> N d P M G m G r S"))
T("Purvi", "N< r G M P d N S> N d P M G m G r S", "G M d N S> r> G> r> S> N d P M G r S",
  "N< r G r G M G M P M P d P d N : S> N d P M G m G r S", "M d N S> N d P M G m G r S")

L("Marwa", (1, "D< N< r : G M D : M G r : N< D<"), (2, "D< N< r G M D N r> : N D M G r : N< D<"),
  ("3/2", "N< r G r G M G M D M D N : D M G r"), (3, "N< r G r G M G M D M D N D N r> : N D M G r N< D<"),
  (4, "N< r G M D N r> S> N D M G M G r N< D<"))
T("Marwa", "N< r G M D N S> N D M G r S", "G M D N r> S> N D M G M D M G r S",
  "N< r G r G M G M D M D N D N r> : S> N D M G r S", "D< N< r G M D : M G r : N< D< S")

L("Durga", (1, "m P D : m R : R m P D : D m R : D< S"), (2, "S R m P D S> D P : m P D m R : D< S"),
  ("3/2", "S R m R m P m P D : P m R S"), (3, "S R m R m P m P D P D S> : D P m R"),
  (4, "S R m P D S> R> S> D P m P D m R D< S"))
T("Durga", "S R m P D S> D P m R S", "m P D S> R> m> R> S> D P m R S",
  "S R m R m P m P D P D S> : D P m P D m R S", "D< S R m P D m R S R D< S")

L("Desh", (1, "R m P : N S> : n D P : D m G R : G N< S"), (2, "R m P N S> R> S> n : D P D m G R : G N< S"),
  ("3/2", "R m P m P N S> n D P m G R G N< S"), (3, "S R m R m P m P N S> R> S> : n D P D m G R G N< S"),
  (4, "R m P N S> R> S> n D P D m G R G N< S"))
T("Desh", "S R m P N S> n D P m G R S", "R m P N S> R> m> G> R> S> n D P m G R G N< S",
  "N< S R m P N S> : n D P D m G R G N< S", "m P N S> R> S> n D P D m G R S")

L("Bageshree", (1, "D< n< S m : m g : m D n D : m g R S"), (2, "S g m D n S> n D : m P D m g R S"),
  ("3/2", "S g m g m D m D n : S> n D m g R S"), (3, "S g m g m D m D n D n S> : D n D m P D m g R S"),
  (4, "S g m D n S> R> S> n D m P D m g R S"))
T("Bageshree", "S g m D n S> n D m g R S", "m D n S> g> R> S> n D m P D m g R S",
  "n< S g m g m D m D n D n S> : n D m g R S", "g m D n D m g m g R S")

L("Malkauns", (1, "m g m d n d m : g m g S"), (2, "S g m d n S> n d : m g m g S"),
  ("3/2", "S g m g m d m d n : d m g S"), (3, "n< S g S g m g m d m d n d n S> : n d m g m g S"),
  (4, "S g m d n S> g> S> n d m g m g S n< S"))
T("Malkauns", "S g m d n S> n d m g S", "m d n S> g> m> g> S> n d m g S",
  "n< S g S g m g m d m d n d n S> : n d m g S", "d n S> n d m g m d m g S")

L("Brindavani Sarang", (1, "N< S R : m R : P m R : N< S"), (2, "N< S R m P N S> n : P m R : N< S"),
  ("3/2", "N< S R S R m R m P : m R N< S"), (3, "N< S R S R m R m P m P N : S> n P m R N< S"),
  (4, "S R m P N S> R> S> n P m R m P m R S"))
T("Brindavani Sarang", "N< S R m P N S> n P m R S", "R m P N S> R> m> R> S> n P m R S",
  "N< S R S R m R m P m P N S> R> S> : n P m R S", "m P N S> n P m R P m R S")

L("Bhimpalasi", (1, "n< S m : m g P m : g m g R S"), (2, "n< S g m P n S> n : D P m P g m g R S"),
  ("3/2", "n< S g m g m P m P : m g R S"), (3, "n< S g S g m g m P m P n P n S> : n D P m g R S"),
  (4, "g m P n S> g> R> S> n D P m g m g R S"))
T("Bhimpalasi", "n< S g m P n S> n D P m g R S", "m P n S> g> R> S> n D P m P g m g R S",
  "n< S g m g m P m P n P n S> : n D P m g R S", "g m P m g m g R S n< S")

L("Kedar", (1, "S m : m P : M P D P m : G m R S"), (2, "S m m P M P D P : S> N D P M P D P : m R S"),
  ("3/2", "S m m P M P D P m : G m R S"), (3, "S m P M P D P S> N D P m : G m R S"),
  (4, "m P D N S> R> S> N D P M P D P m R S"))
T("Kedar", "S m P D N S> N D P M P D P m R S", "m P D N S> R> S> N D P M P D P m R S",
  "S m m P M P D P S> : N D P M P D P m R S", "P D N S> N D P M P D P m G m R S")

L("Hameer", (1, "S R S : G m N D : D P : G m R S"), (2, "G m N D N S> R> S> : N D P : G m R S"),
  ("3/2", "G m N D N S> N D P : G m R S"), (3, "S R S G m N D P M P D P : G m R S"),
  (4, "G m N D N S> N D P M P D P G m R S"))
T("Hameer", "S R S G m D N S> N D P M P D P G m R S", "G m N D N S> R> S> N D P M P D P G m R S",
  "S R S G m N D P : G m D N S> : N D P G m R S", "m D N S> N D P M P D P G m R S")

L("Bihag", (1, "N< S G m P : M P G m G : R S"), (2, "N< S G m P N S> N : D P M P G m G : R S"),
  ("3/2", "N< S G S G m G m P : M P G m G R S"), (3, "S G m G m P m P N P N S> : N D P M P G m G R S"),
  (4, "S G m P N S> G> R> S> N D P M P G m G"))
T("Bihag", "N< S G m P N S> N D P M P G m G R S", "G m P N S> G> R> S> N D P M P G m G R S",
  "N< S G S G m G m P m P N P N S> : N D P M P G m G R S", "P N S> N D P M P G m G R S")

L("Shuddha Kalyan", (1, "G R S N< D< P< : S R G : P R : S"), (2, "S R G P D S> N D : P M G R : G R S"),
  ("3/2", "S R G R G P G P D : P M G R : P R S"), (3, "S R G R G P G P D P D S> : N D P M G R S"),
  (4, "G P D S> R> G> R> S> N D P M G R G R S"))
T("Shuddha Kalyan", "S R G P D S> N D P M G R S", "G P D S> R> G> R> S> N D P M G R S",
  "S R G R G P G P D P D S> : N D P M G R S", "P D S> N D P M G P R S")

L("Jaunpuri", (1, "m P n d P : d m P g : R m P"), (2, "S R m P d n S> n : d P m P g R : S"),
  ("3/2", "R m P m P d P d n : d P m P"), (3, "S R m R m P m P d P d n d n S> : d m P g R m P"),
  (4, "m P d n S> R> g> R> S> n d P m P g R S"))
T("Jaunpuri", "S R m P d n S> n d P m g R S", "m P d n S> R> g> R> S> n d P m g R S",
  "S R m R m P m P d P d n d n S> : n d P m g R S", "m P n d P d m P g R S")

L("Darbari Kanada", (1, "m'g R R S : d< n< P< : m< P< n< S"), (2, "S R g R S n< S R : m P n S> : d n P m P g m R S"),
  ("3/2", "n< S R g R S R m P : g m R S"), (3, "n< S R g R S R m P n P n S> : d n P m P g m R S"),
  (4, "S R m P n S> R> S> d n P m P g m R S"))
T("Darbari Kanada", "S R g R S R m P n S> d n P m P g m R S", "n< S R g R S m P n S> R> S> d n P m P g m R S",
  "m P n S> R> g> R> S> : d n P m P g m R S", "R g R S n< S d< n< P< m< P< n< S")

L("Puriya Dhanashree", (1, "N< r G M P : d P : M G M r G : r S"), (2, "N< r G M d N S> : N d P M G M r G"),
  ("3/2", "N< r G r G M G M P : d P M G M r G"), (3, "N< r G r G M G M P M P d P d N : d P M G M r G"),
  (4, "G M d N S> r> S> N d P M G M r G r S"))
T("Puriya Dhanashree", "N< r G M P d N S> N d P M G r S", "M d N S> r> G> r> S> N d P M G M r G r S",
  "N< r G r G M G M P M P d P d N : S> N d P M G r S", "P d M G M r G r S")

L("Tilak Kamod", (1, "P< N< S R G S : R m P N S> : P D m G : S R G S N<"),
  (2, "P< N< S R G S R m P N S> : P D m G S R G S N< S"), ("3/2", "P< N< S R G S : R m P : P D m G S N< S"),
  (3, "S R G S R m P N S> P D m G S R G S N< S"), (4, "R m P N S> R> S> P D m G S R G S N< S"))
T("Tilak Kamod", "P< N< S R G S R m P N S> P D m G S R G S N< S", "R m P N S> R> G> S> R> S> P D m G S R G S N< S",
  "m P N S> : P D m G : S R G S N< S", "P< N< S R G S : P< N< S R G S N< S")

L("Hindol", (1, "N< D< S : G M D : M G : S"), (2, "S G M D N D M G : M D M G : S"),
  ("3/2", "S G M G M D M D N : D M G S"), (3, "S G M G M D M D N D N S> : N D M G M G S"),
  (4, "S G M D N S> G> S> N D M G M D M G S"))
T("Hindol", "S G M D N S> N D M G S", "G M D N S> G> M> G> S> N D M G S",
  "S G M G M D M D N D N S> : N D M G S", "M D N D M G M D M G S")

L("Sohini", (1, "G M D N S> : r> S> : N D G M G r S"), (2, "G M D N S> r> S> N : D G M D G M G r S"),
  ("3/2", "G M D M D N D N S> : r> S> N D"), (3, "G M D M D N D N S> N S> r> : S> N D M D G M G r S"),
  (4, "M D N S> G> r> S> N D G M D G M G r S"))
T("Sohini", "S G M D N S> r> S> N D M G r S", "G M D N S> G> M> G> r> S> N D M G r S",
  "M D N S> N S> r> S> : N D G M D G M G r S", "D N S> r> S> N D M G M G r S")

L("Multani", (1, "N< S M g : M P : g M g : r S"), (2, "N< S g M P N S> : N d P : g M g r S"),
  ("3/2", "N< S g S g M g M P : M g r S"), (3, "N< S g S g M g M P M P N : S> N d P"),
  (4, "g M P N S> g> r> S> N d P M g M g r S"))
T("Multani", "N< S g M P N S> N d P M g r S", "M P N S> g> r> S> N d P M g M g r S",
  "N< S g S g M g M P M P N P N S> : N d P M g r S", "P N S> N d P M g M P g M g r S")

L("Kamod", (1, "R P : M P D P : G m P : G m R S"), (2, "R P M P D P N D : S> N D P : G m P G m R S"),
  ("3/2", "R P M P D P G m P : G m R S"), (3, "R P M P D P N D S> N D P : G m P G m R S"),
  (4, "M P D P N D S> N D P G m P G m R S"))
T("Kamod", "S R P M P D P N D S> N D P M P D P G m P G m R S", "M P D P S> R> S> N D P M P D P G m R S",
  "R P M P D P : G m P G m R S", "P N D S> N D P M P D P G m R S")

L("Ahir Bhairav", (1, "G m r S : D< n< r S"), (2, "S r G m P D n S> : n D P : G m r S"),
  ("3/2", "S r G r G m G m P : G m r S"), (3, "S r G r G m G m P m P D : n D P m G r S"),
  (4, "m P D n S> r> S> n D P m G r : D< n< r S"))
T("Ahir Bhairav", "S r G m P D n S> n D P m G r S", "m P D n S> r> S> n D P m G m r S",
  "S r G r G m G m P m P D P D n : S> n D P m G r S", "D< n< r S r G m P m G m r S")

# Groups 2 and 3: taans by hand; their layakari is the pakad in barabar, aad, dugun, tigun
# and chaugun (built by compgen.py).
T("Lalit", "N< r G m M m G r S", "m M m d N S> N d M d m M m G r S",
  "G m M m d M d N S> : N d M m G r S", "m d N S> r> N d M m G m G r S")
T("Puriya", "N< r G M D N S> N D M D G M G r S", "G M D N r> S> N D M G M G r S",
  "N< r G r G M G M D : M G r S", "M D N D M G r G r S N< S")
T("Shree", "S r M P N S> N d P M G r S", "M P N S> r> S> N d P M P d M G r S",
  "r M P d M G r : r M P N S> : N d P M G r S", "P N S> r> S> N d P M G r G r S")
T("Basant", "S G M d r> S> N d P M G m G r S", "M d r> S> N d P M G m G r S",
  "G M d M d r> S> : N d P M G m G r S", "d P M G m G r S N< S")
T("Gaud Sarang", "S G R m G P M D P S> D N P D M P G m R S", "G R m G P R S : G R m G P M D P S>",
  "P S> D N P D M P G m R S", "m G P M D P S> R> S> D N P D M P G m R S")
T("Chhayanat", "S R G m P N D S> N D P M P D P G m R S", "P R R G m P : m G m R S",
  "G m P N D S> R> S> N D P M P D P G m R S", "R G m P D P G m R S")
T("Jaijaivanti", "R G m P N S> n D P D m G R g R S", "D< n< R G m P N S> R> S> n D P D m G R S",
  "R g R S D< n< R : R G m P : D m G R g R S", "m P N S> n D P D m G R g R S")
T("Rageshree", "S G m D n S> n D m G R S", "G m D n S> R> S> n D m G R S",
  "G m D n D m G m G R S", "m D n S> n D m D n D m G R S")
T("Jhinjhoti", "S R m P D S> n D P m G R S", "m P D S> R> S> n D P m G R S",
  "D< S R m G R G S R n< D< P< D< S", "R m P D P m G R G S")
T("Miyan ki Malhar", "S R m R P n D N S> n P m P g m R S", "R m R P : n D N S> : n P m P g m R S",
  "m R P n D N S> R> S> n P m P g m R S", "n D N S> n P m P g m R S")
T("Megh", "S R m P n S> n P m R S", "R m P n S> R> S> n P m R S",
  "R m P : n P m R : R n< S", "m P n S> n P m P m R S")
T("Madhuvanti", "N< S g M P N S> N D P M g R S", "g M P N S> R> S> N D P M g R S",
  "N< S g S g M g M P : M g R S", "M P N S> N D P M g M g R S")
T("Gurjari Todi", "S r g M d N S> N d M g r S", "g M d N S> r> S> N d M d M g r g r S",
  "d< N< S r g : M d M g : r g r S", "M d N S> N d M g M g r S")
T("Kalingada", "S G m P d N S> N d P G m G r S", "G m P d N S> r> S> N d P m G r S",
  "d P G m G r S : G m P d P m G r S", "m P d N S> N d P m G m G r S")
T("Ramkali", "S r G m P d N S> N d P M P d n d P G m r S", "G m P d N S> r> S> N d P G m r S",
  "M P d n d P : G m r S", "P d N S> N d P M P d n d P G m r S")
T("Jog", "S G m P n S> n P m G m g S", "G m P n S> G> m> g> S> n P m G m g S",
  "S G m P : n P m G : m g S", "m P n S> n P m G m g S")
T("Shivranjani", "S R g P D S> D P g R S", "g P D S> R> S> D P g R S",
  "S R g R g P g P D : P g R S", "D< S R g R S D< S")
T("Pilu", "N< S G m P N S> n D P m g R S", "G m P N S> R> S> n D P m g R S",
  "N< S g R S N< P< N< S", "m P N S> n D P m g R S N< S")
T("Deshkar", "G P D S> D P G P : D S> D P G R S", "G P D S> R> S> D P G P D P G",
  "G P D P G P D S> : D P G P G R S", "P D S> D P G P G R S")
T("Kalavati", "S G P D n S> n D P G S", "G P D n S> G> S> n D P G S",
  "G P D n D P G P G S", "P D n S> n D P G P G S")
T("Shankara", "S G P N D S> N D P G P R G S", "G P N D S> G> S> N D P G P R G S",
  "G P N D S> : N P : G P R G S", "P N D S> N P G P R G S")
T("Adana", "S R m P d n S> d n P m P g m R S", "m P n n S> R> S> d n S> : d n P m P g m R S",
  "m P d n S> : d n P : m P g m R S", "d n S> R> g> R> S> d n P m P g m R S")
T("Chandrakauns", "S g m d N S> N d m g S", "m d N S> g> S> N d m g S",
  "d N S> : N d m : g m g S", "g m d N d m g m g S")
T("Kirwani", "S R g m P d N S> N d P m g R S", "P d N S> R> S> N d P m g R S",
  "S R g R g m g m P : d P m g R S", "m P d N S> N d P m g m g R S")
T("Bairagi", "S r m P n S> n P m r S", "m P n S> r> S> n P m r S",
  "r m P : n P m : r S", "P n S> n P m P m r S")
T("Gunakali", "S r m P d S> d P m r S", "m P d S> r> S> d P m r S",
  "m P d : d P m r : S", "P d S> d P m P m r S")
T("Bilaskhani Todi", "S r g P d S> r> n d P d m g r g r S", "r g P : d m g : r g r S",
  "g P d S> r> n d P d m g r S", "P d S> r> n d P d m g r g r S")
T("Komal Rishabh Asavari", "S r m P d S> n d P m g r S", "m P d S> r> S> n d P m g r S",
  "r m P : n d P : m P g r S", "P d S> n d P m P g r S")
T("Abhogi", "S R g m D S> D m g R S", "g m D S> R> S> D m g R S",
  "D< S R g : m D m g : R S", "m D S> D m g m g R S")
T("Shuddha Sarang", "N< S R M P N S> N D P m R S", "R M P N S> R> S> N D P m R S",
  "N< S R M P : m R : S N< D< S", "M P N S> N D P m R S")
T("Maru Bihag", "N< S G M P N S> N D P M G R S", "G M P N S> G> R> S> N D P M G R S",
  "N< S G : M P : M G R S", "P N S> N D P M G M G R S")
T("Bhinna Shadja", "S G m D N S> N D m G S", "G m D N S> G> S> N D m G S",
  "N< S G m : D N D m : G S", "m D N S> N D m G m G S")
T("Patdeep", "N< S g m P N S> N D P m g R S", "g m P N S> g> R> S> N D P m g R S",
  "N< S g m P : m P g m g : R S", "P N S> N D P m g R S")
T("Puriya Kalyan", "N< r G M P D N S> N D P M G r S", "G M P D N S> r> S> N D P M G M r G r S",
  "N< r G M P : M G r : G r S", "M D N S> N D P M G M r G r S")
T("Vibhas", "S r G P d S> d P G r S", "G P d S> r> S> d P G r S",
  "G P d P : G r : S", "P d S> d P G P G r S")
T("Paraj", "S G M d N S> N d P M G m G r S", "N S> r> S> N d P M G m G r S",
  "G M d N S> r> S> N d N d P M G r S", "G M d N S> r> N S> : N d P M d N S>")
T("Hamsadhwani", "S R G P N S> N P G R S", "G P N S> R> S> N P G R S",
  "N< R S : G R : P G R : S", "R G P N S> N P G P G R S")
T("Tilang", "S G m P N S> n P m G S", "G m P N S> G> S> n P m G S",
  "S G m P : n P m G : S", "m P N S> n P m G m G S")
T("Jogiya", "S r m P d S> N d P d m r S", "m P d S> r> S> N d P d m r S",
  "S r m : P d m : r S", "P d S> N d P d m r S")
T("Charukeshi", "S R G m P d n S> n d P m G R S", "G m P d n S> R> S> n d P m G R S",
  "S R G m P : d P m G : R S", "m P d n S> n d P m G m G R S")
