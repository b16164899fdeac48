-- Film songs based on a raga: "Raga - Additional Information" rows of type 3, titled
-- "Song (Film, year)". "Notation Index" 0: listed in the review only, no notation rows.
-- Written by tools/compcheck/compgen.py from tools/compcheck/pairdata.py.

INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (1, 'Chandan Sa Badan (Saraswatichandra, 1968)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (1, 'Jab Deep Jale Aana (Chitchor, 1976)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (2, 'Jyoti Kalash Chhalke (Bhabhi Ki Chudiyan, 1961)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (6, 'Jaago Mohan Pyare (Jaagte Raho, 1956)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (6, 'Mohe Bhool Gaye Saanwariya (Baiju Bawra, 1952)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (8, 'Babul Mora Naihar Chhooto Hi Jaye (Street Singer, 1938)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (13, 'Vande Mataram (Anandmath, 1952)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (14, 'Jaag Dard-e-Ishq Jaag (Anarkali, 1953)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (14, 'Radha Na Bole Na Bole (Azaad, 1955)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (15, 'Aadha Hai Chandrama Raat Aadhi (Navrang, 1959)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (15, 'Man Tarpat Hari Darshan Ko Aaj (Baiju Bawra, 1952)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (17, 'Naino Mein Badra Chhaye (Mera Saaya, 1966)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (18, 'Bekas Pe Karam Keejiye (Mughal-e-Azam, 1960)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (18, 'Hamko Man Ki Shakti Dena (Guddi, 1971)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (19, 'Madhuban Mein Radhika Naache Re (Kohinoor, 1960)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (20, 'Tere Sur Aur Mere Geet (Goonj Uthi Shehnai, 1959)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (23, 'Jhanak Jhanak Tori Baaje Payaliya (Mere Huzoor, 1968)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (23, 'O Duniya Ke Rakhwale (Baiju Bawra, 1952)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (27, 'Prem Jogan Ban Ke (Mughal-e-Azam, 1960)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (37, 'Manmohana Bade Jhoothe (Seema, 1955)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (47, 'Jane Kahan Gaye Woh Din (Mera Naam Joker, 1970)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (47, 'Mere Naina Saawan Bhaadon (Mehbooba, 1976)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (52, 'Lapak Jhapak Tu Aa Re Badarwa (Boot Polish, 1954)', 3, 0);
INSERT INTO "Raga - Additional Information" ("Raga Index", "Add Info", "Add Info Type", "Notation Index") VALUES (67, 'Jaa Tose Nahin Bolun Kanhaiya (Parivar, 1967)', 3, 0);
