"""The compositions (bandishes), written by us in the traditional manner.

Each composition is one call of C(...): raga name, its number within the raga (1-9),
title (the opening words), tala name, playing speed (one matra in 10 ms units), and the
asthai and antara, each as (starting beat, beat notation). Beat notation: see
notation.py. A syllable ending in "-" continues its word ("saan- va- re" is "saanvare").
The text of a part is its syllables put together.
"""

COMPOSITIONS = []


def C(raga, number, title, tala, speed, asthai, antara):
    COMPOSITIONS.append(dict(raga=raga, number=number, title=title, tala=tala, speed=speed,
                             asthai=asthai, antara=antara))


C("Yaman", 1, "Saanjh bhai ghar aao", "Teentaal", 55,
  (9, "N<=saanjh R=bha- G=i - | M.G=ghar._ R.G=aa-._ R=o N<.R=saan-.va- | "
      "G=re - M.D=di-.ya- N=ra | D.P=ja-._ M=raun G.R N<.R"),
  (9, "M=man- D=dir N=man- S>=dir | - N.R>=baa-._ S>=je N.D=ghan-.ta | "
      "P=naam M.G=ti-.haa- M.D=ro._ N=gaa- | D.P=un._ M.G R N<.R"))

C("Bhupali", 1, "Bhor bhai jaago", "Teentaal", 55,
  (1, "G=bhor - R.G=bha-.i P | G.R=jaa-._ S=go D<=ma- S=na | "
      "R=pyaa- G=re P.D=ha-.ri S>=gun | D.P=gaa-._ G=o R S"),
  (1, "P=pan- D=khi S>=bo- - | S>.R>=le._ G>.R>=da-.gar S>=da- D=gar | "
      "S>=mein D.P=soo-.raj G=ki P.D=laa-.li | P.G=chhaa-._ R=i G.R S"))

C("Alhaiya Bilawal", 1, "Kaahe ko roke dagar", "Teentaal", 55,
  (9, "G=kaa- R=he G.P=ko._ D=ro- | N.D=ke._ n.D=da-._ P=gar - | "
      "m.G=mo-._ m.R=ri._ S - | G.R=su-.no G.P=mo-._ D.P=han._ m.R"),
  (9, "P=ja- D=mu- N=na S>=tat | - N.R>=par._ S>=gai- N.D=yan._ | "
      "n.D=cha-._ P=raa- D.n=ve._ D.P | m.G m.R S -"))

C("Khamaj", 1, "Piya bin naahi chain", "Teentaal", 55,
  (9, "G=pi- m=ya P=bin D | N.S>=naa-._ n.D=hi._ P=chain m.G | "
      "G=mo- - m.G=he._ R.S | G.m=kai-.se P.D=kaa-.ton m.G=rai-._ R.S=na._"),
  (9, "m=saa- P=van D=aa- N=yo | S>=ba- - N.S>=dra._ R>.S>=chhaa-._ | "
      "n=ye D P.m G | m.G R S -"))

C("Kafi", 1, "Holi khelan aayo shyaam", "Teentaal", 55,
  (9, "S.R=ho-.li g=khe- m=lan P | m.g=aa-._ R=yo S=shyaam - | "
      "R.R=rang._ g.g=gu-._ m.m=laal._ P=li- | D.P=ye._ m.g R S"),
  (9, "m=bhar P=pich- D=kaa- n=ri | S>=maa- - n.S>=re._ R>.S>=saan-._ | "
      "n=va- D=ri- P=ya - | m.P g.m R S"))

C("Bhairav", 1, "Uth jaago shiv shankar", "Teentaal", 50,
  (9, "G=uth m=jaa- d=go - | P=shiv d.P m.G=shan-._ m=kar | "
      "r=dev - S - | G.m=gan-.ga- d.N=dhaa-._ S>.d=ri._ P"),
  (9, "P=da- d=ma- N=ru S>=baa- | - r>.S>=je._ N.d=dar-._ P=shan | "
      "G.m=do._ d=pra- P=bhu - | G.m r S -"))

C("Asavari", 1, "Maata bhavaani daya karo", "Teentaal", 55,
  (9, "R=maa- m=ta P=bha- - | d=vaa- m.P=ni._ n.d=da-._ P=ya | "
      "g=ka- R=ro S - | R.m=sun-.lo P.d=bi-.na- S>.n=ti._ d.P"),
  (9, "m=tum P=bin d=kaun S> | - R>.n=sa-._ d=haa- P=i | "
      "m.P=mo-._ n.d=ri._ P - | m.P g R S"))

C("Bhairavi", 1, "Naina laage tose mohan", "Teentaal", 55,
  (9, "m=nai- g=na r=laa- S=ge | - r.g=to-._ m=se P=mo- | "
      "d=han - P.m g | r.g=kal.na m=pa- g.r=re._ S"),
  (9, "m=tum P=bin d=soo- n=ni | S>=saanjh - r>.S>=sa-._ n.d=ve-._ | "
      "P=ra - m.g m.P | d.P m.g r S"))

C("Todi", 1, "Ab mori baat", "Teentaal", 50,
  (9, "d<=ab N<=mo- S=ri r.g=baat._ | r=maan g.r S=le - | "
      "M=pi- d=ya - M.g | r.g M.g r S"),
  (9, "M=man- d=dar N=baa- S>=jat | - r>.S>=bhor._ N.d P=bha- | "
      "M.d=yi._ M.g r g | M.g r.g r S"))

C("Purvi", 1, "Saanjh samay prabhu sumiran", "Teentaal", 55,
  (9, "N<=saanjh r G=sa- M=may | P=pra- - M.G=bhu._ m.G=su-._ | "
      "r=mi- G=ran - r.S=kar._ | N<.r=jag.ki G=maa- M.G=ya._ r.S"),
  (9, "M=deep d=ja- N=le S>=man- | - N.r>=dir._ S>=man- N.d=dir._ | "
      "P=aa- M.G=ra-.ti m.G=gaa-._ r=un | G M.G r S"))

C("Marwa", 1, "Guru bin gyaan na paave", "Teentaal", 55,
  (9, "D<=gu- N<=ru r=bin - | G=gyaan M D=na - | "
      "M.G=paa-._ r=ve - S | N<.r=ko-.i G.M D.M G.r"),
  (9, "M=saanjh D N=dha- r>=li | - N.D=ab._ M=ghar D | "
      "M.G=cha-._ r=lo - G.M | D M.G r S"))

C("Durga", 1, "Maa durge jag janani", "Teentaal", 55,
  (9, "m=maa P D=dur- - | m.P=ge._ D.m=jag._ R=ja- m=na- | "
      "R=ni - S D< | S.R=sab-.ke m.P=dukh._ D.m=ha-.ro R"),
  (9, "m=singh P=sa- D=vaa- S>=ri | - R>.S>=sho-._ D=bhit P | "
      "D.m=maa-._ R=ta - m.P | D.P m.R S -"))

C("Desh", 1, "Kaare badra ghir ghir aaye", "Teentaal", 55,
  (9, "R=kaa- m=re P=ba- N=dra | S>=ghir - n.D=ghir._ P=aa- | "
      "D.m=ye._ G.R G N<.S | R.m=pi-.ya P=na m.G=aa-._ R=ye"),
  (9, "m=bij- P=u- N=ri S> | R>=cham- S>=kat n.D=man._ P | "
      "D.m=gha-._ G.R=braa-._ G=ve N<.S | R.m P m.G R"))

C("Bageshree", 1, "Kaun des gayo more saiyaan", "Teentaal", 55,
  (9, "S=kaun g=des m D=ga- | n.D=yo._ m=mo- g.m=re._ g.R=sai-._ | "
      "S=yaan - n<.S D<.n< | S.g=bi-.rah m=sa- D.m=taa-._ g.R=ve._"),
  (9, "m=chaand D n=cha- S>=dhyo | - g>.R>=rai-._ S>=na n.D=u-._ | "
      "m=ji- P.D=yaa-._ m=ri - | g.m g R S"))

C("Malkauns", 1, "Man mein basat hari naam", "Teentaal", 50,
  (9, "m=man g=mein m=ba- d=sat | - n.d=ha-._ m=ri g.m=naam._ | "
      "g S - n<.S | g.m=sun-.ke d.n=man._ d.m=har-._ g=khe"),
  (9, "m=aa- d=dhi n=raat S> | - g>.S>=ja-._ n=gat d.n=sab._ | "
      "d=so- m=ye - g.m | d.m g S -"))

C("Brindavani Sarang", 1, "Ban ban dhoondhat saanvariya", "Teentaal", 55,
  (9, "N<=ban S=ban R=dhoon- - | m=dhat P N.S>=saan-._ n.P=va-._ | "
      "m=ri- R=ya - S | N<.S=dhoop._ R.m=ka-.di P.m R"),
  (9, "m=ja- P=mu- N=na S>=teer | - R>.S>=ka-._ n=dam P=ki | "
      "m.P=chhai-._ n.P=yan._ m R | m.R S N< S"))

C("Bhimpalasi", 1, "Piya ke milan ki aas", "Ektaal", 50,
  (1, "m=pi- - g.m=ya.ke P=mi- | m=lan g.m=ki._ P=aas - | n.D P m.g R.S"),
  (1, "m=jab P=se n=ga- S>=ye | - g>.R>=mo-._ S>=he n.D=sudh._ | P=na m.g=ra-._ R=hi S"))

C("Kedar", 1, "Kaanha murali madhur bajaave", "Teentaal", 55,
  (9, "S=kaan- m=ha - m.P=mu-._ | M.P=ra-._ D.P=li._ m=ma- - | "
      "R=dhur S S.m=ba-._ m.G=jaa-._ | P=ve M.P D.P m.R"),
  (9, "m=sun P=sun D=go- N=pi | S> - R>.S>=bha-._ N.D=i._ | "
      "P=baa- M.P=va-._ D.P=ri._ m | G.m P m.R S"))

C("Hameer", 1, "Chalo sakhi brij ki or", "Teentaal", 55,
  (9, "S.R=cha-._ S=lo G=sa- m=khi | N.D=brij._ - P=ki M.P=or._ | "
      "D P G.m R.S | S.R=nat-.var S G.m=naa-.che R.S"),
  (9, "G=mor m=mu- D=kut N | S>=pee- - R>.S>=taam-._ N.D=bar._ | "
      "P=so- M.P=he._ D.P G.m | R S - -"))

C("Bihag", 1, "Kaise sukh soun", "Teentaal", 55,
  (9, "N<=kai- S=se G=sukh m | P=soun - M.P G.m=sai-._ | "
      "G=yaan - R.S=bi-.na - | G.m=rai-.na P=bee- M.P=te._ G.R"),
  (9, "G=chan- m=dan P=ki N=chau- | S>=ki - N.S>=par._ G>.R>=bai-._ | "
      "S>=thi - N.D P | M.P G.m G R.S"))

C("Shuddha Kalyan", 1, "Mandar mein pooja kare", "Jhaptaal", 50,
  (1, "G=man- R=dar | S=mein - N<.D<=poo-.ja | P<=ka- - | D<.S=re._ R=raa- G | "
      "P=dhi- - | D.P=ka._ G=naam P.R=ja-.pat | - S=din | N<.D<=rai-._ S=na -"),
  (1, "P=saanjh D | S>=sa- - R>.S>=may._ | N=sab D.P=deep._ | M G=ja- P=laa- | "
      "R=ye - | G.P D.P G.R | S - | N<.D< S -"))

C("Jaunpuri", 1, "Baat chalat naina bhar aaye", "Teentaal", 55,
  (9, "m=baat P=cha- n.d=lat._ P=nai- | - d.m=na._ P.g=bhar._ R | "
      "m=aa- P=ye - d.m | P g R S"),
  (9, "m=par- P=des d=ga- n=ye | S>=saa- - R>.n=jan._ d=mo- | "
      "P=re - d.m P.g | R.m P g.R S"))

C("Darbari Kanada", 1, "Raajan ke darbaar sajyo", "Ektaal", 60,
  (1, "S=raa- R=jan | m'g=ke - | R=dar- S=baar | - d<.n<=sa-._ | S=jyo R | - n< | "
      "S=man- R=gal | m'g=gaa- - | m=ve P=sab | n'd - | n.P m.P | m'g R.S"),
  (1, "m=chhat- P=ra | n=chan- S>=war | - R>=sho- | S>=bhit n'd | - n.P | m=sin- P | "
      "n'd=haa- - | n.S>=san._ n.P | m.P m'g | - R.S | R d<.n< | S -"))

C("Puriya Dhanashree", 1, "Paayaliya jhankaar sunaaye", "Teentaal", 55,
  (9, "N<=paa- r=ya- G=li- M=ya | P - d.P=jhan-._ M.G=kaar._ | "
      "M.r=su-._ G=naa- r.S=ye._ - | N<.r=sa-.khi G.M=ri._ P.M G.r"),
  (9, "M=saanjh d N=bha- S>=i | - r>.N=ab._ d=deep P | "
      "M.G=ja-._ M.r=laa-._ G=o - | M.d P M.G r.S"))

C("Tilak Kamod", 1, "Neer bharan kaise jaaun", "Teentaal", 55,
  (9, "P<=neer N< S=bha- R=ran | G=kai- S=se - R.m=jaa-._ | "
      "P=un - N.S>=sa-._ P=khi | D.m G S.R G.S"),
  (9, "m=pan- P=ghat N=par S> | R>=kaan- - S>.P=ha._ D=thaa- | "
      "m=do G S.R G | S N< - S"))

C("Hindol", 1, "Jhoola jhoole raadha pyaari", "Teentaal", 55,
  (9, "S=jhoo- G=la M=jhoo- D=le | - M.G=raa-._ M=dha D=pyaa- | "
      "N.D=ri._ - M.G S | G.M=sang.mein D=shyaam M.G S"),
  (9, "G=ri- M=tu D=ba- N=sant | S> - N.D=phoo-._ D=lan | "
      "M.D=ki._ M.G=ba-._ M'G=haar - | S G.M M.G S"))

C("Sohini", 1, "Rang rang phool khile", "Teentaal", 45,
  (9, "G=rang M=rang D=phool N | S>=khi- - r>.S>=le._ N.D | "
      "G.M=ban.ban D=mein N.S> - | N.D G.M G.r S"),
  (9, "M=bhor D N=bha- S>=i | r>=pi- S>=ya N.S>=jaa-.gan N | "
      "S>=laa- N.D=ge._ M G | M.D N.D G.r S"))

C("Multani", 1, "Gokul ki galiyan mein", "Teentaal", 55,
  (9, "N<=go- S=kul g=ki M=ga- | P=li- - M.g=yan._ M.P=mein._ | "
      "g - M.g r.S | N<.S=dhoom.ma- g.M=chi._ P M.g"),
  (9, "M=maa- P=khan N=chor S> | - N.S>=nand._ N.d=ko._ P=laa- | "
      "M.g=la._ M.P g - | M.g r S -"))

C("Kamod", 1, "Chhab dikhlaa ja", "Teentaal", 55,
  (9, "R=chhab P - M.P=dikh-._ | D.P=laa._ G.m=ja._ P=baan- G.m=ke._ | "
      "R=shyaam - S - | R.P=mo-.re M.P=man._ D.P=bhaa-._ G.m=o._"),
  (9, "P=nain - P.N=bi-._ D=chhaa- | S>=un - R>.S>=baat._ N.D=ni-._ | "
      "P=haa- M.P=run._ D.P G.m | P G.m R S"))

C("Ahir Bhairav", 1, "Alakh niranjan bhajo re", "Rupak", 50,
  (1, "S=a- r=lakh G=ni- | m=ran- - | G.m=jan._ r | "
      "S=bha- D<.n<=jo._ r=re | - S | - -"),
  (1, "m=pa- P=wan D=cha- | n=lat S>=bhor | - n.D | "
      "P=su- m=haa- G.m=ni._ | r S | n<.r S"))

# ---------------------------------------------------------------- groups 2 and 3

C("Lalit", 1, "Jogiya aayo mori gali", "Teentaal", 50,
  (9, "N<=jo- r=gi- G=ya m | M.m=aa-._ G=yo r.G=mo-._ m=ri | "
      "M.m=ga-._ d=li - M.d | m.M m.G r S"),
  (9, "m=bhor d N=bha- S>=i | - r>.N=pan-._ d=chhi M.d=bo-._ | "
      "m=lan M.m=laa-._ G=ge - | r.G m G.r S"))

C("Jaijaivanti", 1, "Piya ghar aaye", "Teentaal", 55,
  (9, "R=pi- g=ya R=ghar S | D<.n<=aa-._ R=ye - R.G=man-._ | "
      "m=gal P=gaa- - N.S>=o._ | n.D P D.m G.R"),
  (9, "m=sagh- P=ri N=rai- S>=na | - R>.S>=jaa-._ n.D=gat._ P=bee- | "
      "D.m=ti._ G.R g.R S | D<.n< R - R.S"))

C("Miyan ki Malhar", 1, "Umad ghumad ghan garjat", "Teentaal", 55,
  (9, "R=u- m=mad R=ghu- P=mad | - n.D=ghan._ N S>=gar- | "
      "n=jat P m.P=aa-._ g | m=ye R S -"),
  (9, "m=daa- P=dur n=mor D | N=pa- S>=pi- - R>.S>=ha._ | "
      "n=bo- P=le m.P g.m | R S - -"))

C("Madhuvanti", 1, "Raadhe shyaam milan ki bela", "Teentaal", 55,
  (9, "N<=raa- S=dhe g=shyaam M | P=mi- - M.g=lan._ R=ki | "
      "S=be- - N<.S=la._ g.M | P M.g R S"),
  (9, "M=kun- P=jan N=mein S> | - g>.R>=ban-._ S>=si N.D=baa-._ | "
      "P=je M.g M.P g | R S - -"))

C("Jog", 1, "Sajni nindiya nahin aave", "Teentaal", 55,
  (9, "S=saj- G=ni m=nin- P=di- | n.P=ya._ m=na- G.m=hin._ g | "
      "S=aa- - n<.S=ve._ - | G.m P m.G m.g"),
  (9, "m=par- P=de- n=si S> | - n.S>=sain-._ P=yaan n.P=bhoo-._ | "
      "m=le G.m=mo-._ g=he S | - G.m P.m g.S"))

C("Shivranjani", 1, "Beete din sooni ratiyaan", "Rupak", 50,
  (1, "S=bee- R=te g=din | - R.g=soo-._ | P=ni D=ra- | "
      "P=ti- g=yaan - | R S | D< S"),
  (1, "P=yaad D S>=te- | - R>.S>=ri._ | D=man P | "
      "g.P=tad-._ D.P=paa-._ g=ve | R g.R | S -"))

C("Deshkar", 1, "Suno sakhi bansuri baaje", "Teentaal", 55,
  (9, "G=su- P=no D=sa- - | P=khi G.P=ban-._ D=su- S>=ri | "
      "D=baa- P=je - G.P | D.P G R S"),
  (9, "P=bhor D S>=bha- - | R>.S>=i._ D=kir- P=nan G.P=ki._ | "
      "D=laa- S>=li - D.P | G.P D.P G -"))

C("Kirwani", 1, "Pyaar ki preet nibhaana", "Rupak", 50,
  (1, "P=pyaar d N=ki | S>=preet - | N.d=ni-._ P=bhaa- | "
      "m.g=na._ R g.m | P m.g | R S"),
  (1, "m=saanjh P d=sa- | N=ve- S>=re | - R>.S>=yaad._ | "
      "N.d=ti-._ P=haa- m.g=ri._ | R g.R | S -"))

C("Hamsadhwani", 1, "Vighna haran gan naayak", "Teentaal", 35,
  (1, "P=vigh- G=na R.G=ha-.ran P | N=gan P G.R=naa-._ S=yak | "
      "N<=dev - S.R=sab.sukh G=daa- | P.G=ta._ R S -"),
  (1, "G=moo- P=shak N=vaa- S>=han | - R>.S>=mo-._ N=dak P | "
      "G.P=pyaa-._ N.P=re._ G R | G.R S N< S"))

C("Charukeshi", 1, "Kaahe sataave mohe shyaam", "Jhaptaal", 50,
  (1, "S=kaa- R=he | G=sa- m=taa- P=ve | - d.P=mo-._ | m=he G=shyaam - | "
      "R G.m | P d.n d.P | m G | R S -"),
  (1, "P=bir- d=ha | n=ki S>=aag - | R>.S>=ja-._ n=laa- | d=ve P - | "
      "m.P d.P | m G R.G | m G | R S -"))

# ---------------------------------------------------------------- second compositions

C("Yaman", 2, "Shyaam sundar mohan pyaare", "Ektaal", 35,
  (1, "G=shyaam - | R.G=sun-.dar M | D=mo- N=han | D.P=pyaa-._ M=re | G - | R.G=dar-._ R=shan | "
      "N<=nai- R=na | G=ta- M=ras | D=ra- - | N.D=he._ P | M.G R | N<.R S"),
  (1, "M=go- D=kul | N=ki S>=sab | - N.R>=go-._ | S>=pi N.D=dhoon-._ | P=dhe - | M.G R | "
      "N<.R=ban.ban G=mein | M D | N S> | N.D P | M.G R | N<.R S"))

C("Bhupali", 2, "Chanda ki chaandni chhaai", "Jhaptaal", 50,
  (1, "G=chan- R=da | G=ki P D.P=chaand-._ | G=ni R=chhaa- | S=i D< S | "
      "R=man G=mein | P.D=u-.mang S> D.P | G P.G | R S -"),
  (1, "P=taa- D=ron | S>=ki - R>.S>=baa-._ | D=raat P=sa- | G=ji P.D=hai._ S> | "
      "D P | G R G.P | G R | S D< S"))

C("Desh", 2, "Rimjhim barse saawan aayo", "Jhaptaal", 50,
  (1, "R=rim- m=jhim | P=bar- N=se S> | - n.D=saa-._ | P=wan D.m=aa-._ G=yo | "
      "R G | N<.S R m.P | D.m G.R | G N< S"),
  (1, "m=mor P=pu- | N=kaa- S>=re - | R>.S>=ban._ n=ban | D=mein P - | "
      "D.m G.R | G N<.S R.m | P D.m | G R S"))

C("Bageshree", 2, "Birha ki raat ghaneri", "Rupak", 50,
  (1, "S=bir- g=ha m=ki | D=raat - | n.D=gha-._ m=ne- | g=ri - R | S n<.S | D< S"),
  (1, "m=kab D=aa- n=o- | S>=ge - | n.D=saa-._ m=jan | P.D=mo-._ m=re g | m.g R | S -"))
