"""Similar-raga pairs and film songs.

PAIRS: (raga A, raga B, A's phrase, B's phrase, what tells them apart). Each pair gives a
row for A (whose "Add Info" is B) and one for B. Phrases in beat notation without
syllables (notation.py): one token per matra, "." splits a matra, "-" holds.

FILM_SONGS: (raga, song, film, year) for widely documented film songs based on the raga.
"""

PAIRS = [
    ("Bhupali", "Deshkar",
     "G - R S | D< - S R | G - P G | D P G - | R - S -",
     "G P D - | P - G P | D S> D P | G - P G | R.G - S -",
     "The same five notes: Bhupali rests on Ga and sinks to D< through G R S; Deshkar "
     "lives in the upper half, rests on Dha and Pa, and touches Re only in passing."),
    ("Yaman", "Shuddha Kalyan",
     "N< R G - | M D N S> | N D P M | G R S -",
     "S R G - | P D S> - | N D P M.G | P - R S",
     "Both descend with tivra Ma; Yaman rises N< R G M D N, Shuddha Kalyan rises like "
     "Bhupali without Ma and Ni and leaps P R on the way down."),
    ("Marwa", "Puriya",
     "N< r G M | D - - M | G r - - | N< D< - S",
     "N< - D< N< | r G - M | G - r G | r - S -",
     "Same notes without Pa: Marwa stresses komal Re and Dha and keeps away from Sa; "
     "Puriya rests on Ga and Ni and dwells in the lower octave."),
    ("Puriya", "Sohini",
     "N< - D< N< | r G - M | G - r G | r - S -",
     "G M D N | S> - - r> | S> N D - | G M D G",
     "Same notes: Puriya lives in the lower half and the lower octave; Sohini climbs at "
     "once to the upper Sa and its komal Re."),
    ("Marwa", "Sohini",
     "N< r G M | D - - M | G r - - | N< D< - S",
     "G M D N | S> - - r> | S> N D - | G M D G",
     "Same notes: Marwa is centred on komal Re and Dha in the middle octave; Sohini on "
     "the upper Sa, with Dha and Ga as answers."),
    ("Darbari Kanada", "Adana",
     "S R g - | g m R - | S d< - n< | S - - -",
     "m P d n | S> - d - | n P - m | P g m R | S - - -",
     "Same notes: Darbari is slow and grave in the lower and middle octave with a heavy "
     "Ga and Dha; Adana is brisk, centred on the upper Sa, with Ga and Dha passed lightly."),
    ("Bhairav", "Kalingada",
     "G m d - | - P - - | G m r - | - S - -",
     "G m P d | N S> - - | d P G m | G r S -",
     "Same notes: Bhairav holds komal Re and Dha with a slow oscillation; Kalingada "
     "touches them plainly and moves quickly, in the manner of a light song."),
    ("Bhairav", "Ahir Bhairav",
     "S r G m | P d N d | P m G r | S - - -",
     "S r G m | P D n D | P m G r | S - - -",
     "The lower halves are alike; Ahir Bhairav takes shuddha Dha and komal Ni above Pa, "
     "Bhairav komal Dha and shuddha Ni."),
    ("Todi", "Multani",
     "S r g - | M d N d | P M g r | S - - -",
     "N< S g M | P - - - | M g M P | g - r S",
     "Same notes: Todi dwells on komal Re, Ga and Dha with Pa weak; Multani leaves out "
     "Re and Dha on the way up and makes Pa strong."),
    ("Todi", "Gurjari Todi",
     "d M g r | g M d N | d P M g | r S - -",
     "d M g r | g M d N | d M g - | r S - -",
     "Gurjari Todi has no Pa at all; Todi touches Pa in the descent d P M g."),
    ("Purvi", "Puriya Dhanashree",
     "M G m G | r G - - | M d P - | M G r S",
     "N< r G M | P - d P | M G M r | G - r S",
     "Same family: Purvi brings in shuddha Ma in the turn M G m G; Puriya Dhanashree "
     "keeps to tivra Ma and rests on Pa."),
    ("Asavari", "Jaunpuri",
     "R m P d | S> - - - | n d P - | m g R S",
     "R m P d | n S> - - | n d P - | m g R S",
     "Same notes: Asavari leaves Ni out on the way up (d S>); Jaunpuri rises through "
     "komal Ni (d n S>)."),
    ("Bageshree", "Rageshree",
     "S g m D | n D m - | g m g R | S - - -",
     "S G m D | n D m G | R - S -",
     "Rageshree has no Pa; Bageshree touches Pa in D m P D. Bageshree takes komal Ga, "
     "Rageshree shuddha Ga."),
    ("Kedar", "Hameer",
     "S m - m | P - M P | D P m - | R S - -",
     "S R S - | G m N D | - P - - | G m R S",
     "Same notes: Kedar leaps S m and rests on Ma; Hameer reaches Dha from Ni (G m N D) "
     "and rests on Dha."),
    ("Kamod", "Chhayanat",
     "R P - - | M P D P | G m P G | m R S -",
     "P R - G | m P D P | G m R S",
     "Same notes: Kamod leaps R P and curls G m P G m R S; Chhayanat leaps P R and "
     "rests on Re and Pa."),
    ("Desh", "Tilak Kamod",
     "R m P N | S> - - - | n D P - | D m G R | G N< S -",
     "P< N< S R | G S - - | R m P N | S> - P D | m G S -",
     "Desh climbs R m P N S> and falls with komal Ni; Tilak Kamod keeps to shuddha Ni "
     "and turns back on itself (S R G S, P D m G)."),
    ("Malkauns", "Chandrakauns",
     "m g m d | n d m - | g m g S",
     "m g m d | N d m - | g m g S",
     "Alike but for Ni: Malkauns takes komal Ni, Chandrakauns shuddha Ni."),
    ("Bhimpalasi", "Patdeep",
     "g m P n | S> - - - | n D P - | m g R S",
     "g m P N | S> - - - | N D P - | m g R S",
     "Alike but for Ni: Bhimpalasi takes komal Ni, Patdeep shuddha Ni."),
    ("Bihag", "Maru Bihag",
     "N< S G m | P - - - | M P G m | G - R S",
     "N< S G M | P - - - | M G R S | N< - S -",
     "Bihag rises with shuddha Ma and keeps tivra Ma for M P G m G; Maru Bihag rises "
     "with tivra Ma and keeps shuddha Ma for a touch in G m G."),
    ("Bhupali", "Shivranjani",
     "S R G - | P D S> - | D P G R | G - R S",
     "S R g - | P D S> - | D P g R | g - R S",
     "The same shape; Shivranjani takes komal Ga, which gives it its plaintive colour."),
    ("Brindavani Sarang", "Megh",
     "N< S R m | P N S> - | n P m R | - S - -",
     "R m P n | P - m R | - - m R | n< S - -",
     "Close notes: Brindavani Sarang is bright, rising with shuddha Ni; Megh dwells on "
     "Re with a slow oscillation and keeps to komal Ni."),
    ("Bhupali", "Shuddha Kalyan",
     "S> - D P | G - P G | D P G R | S - - -",
     "S> - N D | P - M G | P - R - | S - - -",
     "Both rise S R G P D S>; Bhupali comes down on its five notes and rests on Ga, "
     "Shuddha Kalyan comes down with Ni and tivra Ma like Yaman and leaps P R."),
    ("Bhairav", "Ramkali",
     "G m d - | - P - - | G m r - | - S - -",
     "G m P - | M P d n | d P - - | G m r S",
     "Same family: Bhairav holds komal Re and Dha with a slow oscillation; Ramkali "
     "brings in tivra Ma and komal Ni in the turn M P d n d P and weighs on Pa."),
    ("Basant", "Paraj",
     "S G M d | r> - S> - | N d P - | M G m G | r - S -",
     "N S> r> S> | N d P - | M d N S> | - - - -",
     "Same notes: Basant climbs M d r> S>, leaping over Ni, and falls through M G m G; "
     "Paraj climbs through Ni (M d N S>) and circles the upper Sa (N S> r> S>)."),
    ("Multani", "Madhuvanti",
     "N< S g M | P - - - | N d P - | M g r S",
     "N< S g M | P - - - | N D P - | M g R S",
     "Both rise N< S g M P and rest on Pa; Multani takes komal Re and Dha, Madhuvanti "
     "shuddha Re and Dha."),
    ("Kedar", "Kamod",
     "S m - m | P - M P | D P m - | R S - -",
     "R P - - | M P D P | G m P G | m R S -",
     "Same notes, and both use the figure M P D P: Kedar leaps S m and rests on Ma; "
     "Kamod leaps R P and curls G m P G m R S."),
    ("Megh", "Miyan ki Malhar",
     "R m P n | P - m R | - - m R | n< S - -",
     "R m R P | n D N S> | n P m P | g m R S",
     "Monsoon ragas that share R m P and m R: Megh keeps to five notes; Miyan ki "
     "Malhar adds komal Ga in g m R S and Dha with both Ni in n D N S>."),
    ("Asavari", "Komal Rishabh Asavari",
     "R m P d | S> - - - | n d P - | m g R S",
     "r m P d | S> - - - | n d P - | m g r S",
     "Alike but for Re: Asavari takes shuddha Re, Komal Rishabh Asavari komal Re."),
    ("Komal Rishabh Asavari", "Bilaskhani Todi",
     "r m P d | S> - n d | P - m P | g r S -",
     "r g P - | d m g - | r g r S",
     "Same notes: Komal Rishabh Asavari rises r m P d S> in the manner of Asavari; "
     "Bilaskhani Todi rises r g P d like Todi and winds back (d m g, r g r S)."),
    ("Shree", "Puriya Dhanashree",
     "S r - - | r'P - - | M P d M | G r - S",
     "N< r G M | P - d P | M G M r | G - r S",
     "Same notes: Shree glides from a long komal Re to Pa and leaves Ga and Dha out "
     "on the way up; Puriya Dhanashree rises N< r G M P and rests on Pa."),
    ("Bageshree", "Abhogi",
     "S g m D | n D m - | g m g R | S - - -",
     "S R g m | D - m g | R - S - | D< S - -",
     "Both move S g m D and rest on Ma; Abhogi has no Pa or Ni and closes D m g R S, "
     "Bageshree takes komal Ni (m D n D)."),
]

FILM_SONGS = [
    ("Yaman", "Chandan Sa Badan", "Saraswatichandra", 1968),
    ("Yaman", "Jab Deep Jale Aana", "Chitchor", 1976),
    ("Bhupali", "Jyoti Kalash Chhalke", "Bhabhi Ki Chudiyan", 1961),
    ("Bhairav", "Jaago Mohan Pyare", "Jaagte Raho", 1956),
    ("Bhairav", "Mohe Bhool Gaye Saanwariya", "Baiju Bawra", 1952),
    ("Bhairavi", "Babul Mora Naihar Chhooto Hi Jaye", "Street Singer", 1938),
    ("Darbari Kanada", "O Duniya Ke Rakhwale", "Baiju Bawra", 1952),
    ("Darbari Kanada", "Jhanak Jhanak Tori Baaje Payaliya", "Mere Huzoor", 1968),
    ("Malkauns", "Man Tarpat Hari Darshan Ko Aaj", "Baiju Bawra", 1952),
    ("Malkauns", "Aadha Hai Chandrama Raat Aadhi", "Navrang", 1959),
    ("Bageshree", "Radha Na Bole Na Bole", "Azaad", 1955),
    ("Bageshree", "Jaag Dard-e-Ishq Jaag", "Anarkali", 1953),
    ("Kedar", "Hamko Man Ki Shakti Dena", "Guddi", 1971),
    ("Kedar", "Bekas Pe Karam Keejiye", "Mughal-e-Azam", 1960),
    ("Hameer", "Madhuban Mein Radhika Naache Re", "Kohinoor", 1960),
    ("Adana", "Lapak Jhapak Tu Aa Re Badarwa", "Boot Polish", 1954),
    ("Shivranjani", "Mere Naina Saawan Bhaadon", "Mehbooba", 1976),
    ("Shivranjani", "Jane Kahan Gaye Woh Din", "Mera Naam Joker", 1970),
    ("Jaijaivanti", "Manmohana Bade Jhoothe", "Seema", 1955),
    ("Hamsadhwani", "Jaa Tose Nahin Bolun Kanhaiya", "Parivar", 1967),
    ("Bihag", "Tere Sur Aur Mere Geet", "Goonj Uthi Shehnai", 1959),
    ("Bhimpalasi", "Naino Mein Badra Chhaye", "Mera Saaya", 1966),
    ("Sohini", "Prem Jogan Ban Ke", "Mughal-e-Azam", 1960),
    ("Desh", "Vande Mataram", "Anandmath", 1952),
]
