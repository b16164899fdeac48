#include <vector>

#include "DaoTest.h"

namespace {

using daotest::ErrorNumber;

// A table shaped like the program's keyed tables: a three-part primary key, a two-part
// index that is not unique, a text key without regard to letter case, and rows
// inserted out of key order, so stored order and index order differ.
constexpr const char* kFixture = R"sql(
CREATE TABLE "Items" (
  "Raga Index" SMALLINT NOT NULL,
  "Add Info" TEXT COLLATE NOCASE NOT NULL,
  "Add Info Type" SMALLINT NOT NULL,
  "Notation Index" INTEGER,
  "Ratio" FLOAT,
  "Exact" DOUBLE);
CREATE UNIQUE INDEX "Items.PrimaryKey" ON "Items" ("Raga Index", "Add Info", "Add Info Type");
CREATE INDEX "Items.AddInfoType" ON "Items" ("Raga Index", "Add Info Type");
INSERT INTO "Items" VALUES (2, 'Zeta', 2, 7, 0.5, 0.1);
INSERT INTO "Items" VALUES (1, 'beta', 2, 5, NULL, NULL);
INSERT INTO "Items" VALUES (1, 'Alpha', 2, 3, 1.25, 2.5);
INSERT INTO "Items" VALUES (1, 'Gamma', 1, 0, NULL, NULL);
INSERT INTO "Items" VALUES (2, 'Alpha', 3, 100000, NULL, NULL);
)sql";

class RecordsetTest : public daotest::DaoTest {
 protected:
  void SetUp() override {
    DaoTest::SetUp();
    db = Make(kFixture);
  }

  // The "Add Info" of every row from the current one to the end.
  static std::vector<std::string> WalkOn(dao::Recordset& rs) {
    std::vector<std::string> names;
    while (!rs.Eof()) {
      names.push_back(rs.Fields("Add Info").ToString());
      rs.MoveNext();
    }
    return names;
  }

  dao::Database db;
};

TEST_F(RecordsetTest, WithoutAnIndexRowsComeInStoredOrder) {
  auto rs = db.OpenRecordset("Items", dao::dbOpenTable);
  EXPECT_EQ(rs.Type(), dao::dbOpenTable);
  EXPECT_EQ(WalkOn(rs), (std::vector<std::string>{"Zeta", "beta", "Alpha", "Gamma", "Alpha"}));
  EXPECT_EQ(rs.RecordCount(), 5);
}

struct SeekCase {
  const char* name;
  const char* index;
  std::vector<vb::Variant> keys;
  bool found;
  std::vector<std::string> walk;  // from the found row on, in index order
};

class SeekTest : public RecordsetTest, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekTest, FindsTheFirstMatchAndWalksOnInIndexOrder) {
  const SeekCase& c = GetParam();
  auto rs = db.OpenRecordset("Items");
  rs.SetIndex(c.index);
  rs.Seek("=", c.keys);
  EXPECT_EQ(rs.NoMatch(), !c.found);
  if (c.found) {
    EXPECT_EQ(WalkOn(rs), c.walk);
  } else {
    EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields("Add Info"); }), 3021);
    EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3021);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SeekTest,
    ::testing::Values(
        // one key: the first row of raga 1 in key order, then everything after it
        SeekCase{"OneKey", "PrimaryKey", {int16_t{1}}, true, {"Alpha", "beta", "Gamma", "Alpha", "Zeta"}},
        // two keys, a text key in another letter case
        SeekCase{"TwoKeysTextInOtherCase", "PrimaryKey", {int16_t{1}, "BETA"}, true, {"beta", "Gamma", "Alpha", "Zeta"}},
        // three keys
        SeekCase{"ThreeKeys", "PrimaryKey", {int16_t{2}, "alpha", int16_t{3}}, true, {"Alpha", "Zeta"}},
        SeekCase{"ThreeKeysNoMatch", "PrimaryKey", {int16_t{2}, "alpha", int16_t{2}}, false, {}},
        // a key given as a text or a floating-point number finds a numeric column
        SeekCase{"KeysOfOtherTypes", "PrimaryKey", {"2", "Zeta", 2.0}, true, {"Zeta"}},
        // an index that is not unique: the first of equal keys in stored order
        SeekCase{"IndexNotUnique", "AddInfoType", {int16_t{1}, int16_t{2}}, true, {"beta", "Alpha", "Zeta", "Alpha"}},
        SeekCase{"IndexNotUniqueNoMatch", "AddInfoType", {int16_t{3}, int16_t{1}}, false, {}},
        // a Null key matches nothing
        SeekCase{"NullKey", "PrimaryKey", {vb::Null}, false, {}}),
    [](const ::testing::TestParamInfo<SeekCase>& info) { return std::string(info.param.name); });

TEST_F(RecordsetTest, IndexNamesIgnoreLetterCaseAndUnknownOnesAreRefused) {
  auto rs = db.OpenRecordset("Items");
  EXPECT_EQ(ErrorNumber([&] { rs.Seek("=", {int16_t{1}}); }), 3019);
  EXPECT_EQ(ErrorNumber([&] { rs.SetIndex("NoSuchIndex"); }), 3800);
  rs.SetIndex("primarykey");
  EXPECT_EQ(rs.Index(), "primarykey");
  EXPECT_EQ(rs.Fields("Add Info").ToString(), "Alpha");  // the first row in the new order
  EXPECT_EQ(ErrorNumber([&] { rs.Seek(">=", {int16_t{1}}); }), 3001);
  EXPECT_EQ(ErrorNumber([&] { rs.Seek("=", {1, "a", 1, 1}); }), 3001);
}

TEST_F(RecordsetTest, FieldsComeBackWithTheirDeclaredKindsAndNulls) {
  auto rs = db.OpenRecordset("Items");
  rs.SetIndex("PrimaryKey");
  rs.Seek("=", {int16_t{1}, "Alpha", int16_t{2}});
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Fields("Raga Index").Type(), vb::VarType::Integer);
  EXPECT_EQ(rs.Fields("Notation Index").Type(), vb::VarType::Long);
  EXPECT_EQ(rs.Fields("Ratio"), vb::Variant(1.25f));
  EXPECT_EQ(rs.Fields("Exact"), vb::Variant(2.5));
  EXPECT_EQ(rs.Fields("add info"), vb::Variant("Alpha"));  // field names in any letter case
  EXPECT_EQ(rs.FieldCount(), 6);
  EXPECT_EQ(rs.FieldName(3), "Notation Index");
  EXPECT_EQ(rs.Fields(3), vb::Variant(int32_t{3}));
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields("Nope"); }), 3265);
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields(6); }), 3265);

  rs.Seek("=", {int16_t{1}, "beta", int16_t{2}});
  EXPECT_TRUE(rs.Fields("Ratio").IsNull());
  EXPECT_TRUE(rs.Fields("Exact").IsNull());
}

TEST_F(RecordsetTest, MovingPastTheEndsAndEmptyTables) {
  auto rs = db.OpenRecordset("Items");
  rs.MoveLast();
  EXPECT_EQ(rs.Fields("Add Info Type"), vb::Variant(int16_t{3}));
  rs.MoveNext();
  EXPECT_TRUE(rs.Eof());
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields("Add Info"); }), 3021);
  EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3021);
  rs.MoveFirst();
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Zeta"));

  auto empty = db.OpenRecordset("Items", dao::dbOpenTable);
  while (!empty.Eof()) {
    empty.Delete();
    empty.MoveNext();
  }
  EXPECT_EQ(empty.RecordCount(), 0);
  auto fresh = db.OpenRecordset("Items");
  EXPECT_TRUE(fresh.Eof());
  EXPECT_EQ(ErrorNumber([&] { fresh.MoveFirst(); }), 3021);
  EXPECT_EQ(ErrorNumber([&] { fresh.MoveLast(); }), 3021);
  EXPECT_EQ(ErrorNumber([&] { fresh.Edit(); }), 3021);
}

TEST_F(RecordsetTest, AddEditAndDeleteLifecycle) {
  auto rs = db.OpenRecordset("Items");
  rs.SetIndex("PrimaryKey");
  EXPECT_EQ(ErrorNumber([&] { rs.SetField("Add Info", "x"); }), 3020);
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3020);

  // A new row: fields read back the buffer; the current row stays where it was.
  rs.Seek("=", {int16_t{2}, "Zeta"});
  rs.AddNew();
  EXPECT_TRUE(rs.Fields("Add Info").IsNull());
  rs.SetField("Raga Index", int16_t{1});
  rs.SetField("Add Info", "Delta");
  rs.SetField("Add Info Type", int16_t{2});
  rs.SetField("Notation Index", "12");  // a numeric text is stored as a number
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Delta"));
  rs.Update();
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Zeta"));
  EXPECT_EQ(rs.RecordCount(), 6);
  rs.Seek("=", {int16_t{1}, "delta", int16_t{2}});
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Fields("Notation Index"), vb::Variant(int32_t{12}));

  // A duplicate key is refused and nothing is stored.
  rs.AddNew();
  rs.SetField("Raga Index", int16_t{1});
  rs.SetField("Add Info", "DELTA");
  rs.SetField("Add Info Type", int16_t{2});
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3022);
  EXPECT_EQ(rs.RecordCount(), 6);

  // A text that is not a number is refused for a numeric field.
  rs.Edit();
  EXPECT_EQ(ErrorNumber([&] { rs.SetField("Notation Index", "twelve"); }), 3421);
  rs.CancelUpdate();

  // Edit: the change is stored and the row is found under its new key.
  rs.Edit();
  rs.SetField("Add Info", "Epsilon");
  rs.SetField("Ratio", vb::Null);
  rs.Update();
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Epsilon"));
  rs.Seek("=", {int16_t{1}, "Epsilon", int16_t{2}});
  EXPECT_FALSE(rs.NoMatch());
  rs.MoveNext();  // the walk follows the new key order
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Gamma"));

  // Delete: the row is gone, reading it is an error, MoveNext goes to the following row.
  rs.Seek("=", {int16_t{1}, "beta", int16_t{2}});
  rs.Delete();
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Fields("Add Info"); }), 3167);
  EXPECT_EQ(ErrorNumber([&] { rs.Delete(); }), 3167);
  rs.MoveNext();
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Epsilon"));
  EXPECT_EQ(rs.RecordCount(), 5);
  rs.Seek("=", {int16_t{1}, "beta"});
  EXPECT_TRUE(rs.NoMatch());

  // Numbers given to a text column are stored as their text.
  rs.AddNew();
  rs.SetField("Raga Index", int16_t{9});
  rs.SetField("Add Info", 2.5);
  rs.SetField("Add Info Type", int16_t{1});
  rs.Update();
  rs.Seek("=", {int16_t{9}, "2.5"});
  EXPECT_FALSE(rs.NoMatch());
}

// A refused Update keeps the edit: its fields still read back, a corrected value
// can be stored, or CancelUpdate drops it.
TEST_F(RecordsetTest, ARefusedUpdateKeepsTheEditForARetryOrCancelUpdate) {
  auto rs = db.OpenRecordset("Items", dao::dbOpenTable);
  rs.AddNew();
  rs.SetField("Raga Index", int16_t{1});
  rs.SetField("Add Info", "ALPHA");
  rs.SetField("Add Info Type", int16_t{2});
  rs.SetField("Notation Index", int32_t{9});
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3022);
  EXPECT_EQ(rs.Fields("Notation Index"), vb::Variant(int32_t{9}));
  rs.SetField("Add Info", "Omega");
  rs.Update();
  EXPECT_EQ(rs.RecordCount(), 6);
  rs.SetIndex("PrimaryKey");
  rs.Seek("=", {int16_t{1}, "Omega", int16_t{2}});
  ASSERT_FALSE(rs.NoMatch());
  EXPECT_EQ(rs.Fields("Notation Index"), vb::Variant(int32_t{9}));

  rs.Edit();
  rs.SetField("Add Info", "beta");
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3022);
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("beta"));
  rs.CancelUpdate();
  EXPECT_EQ(rs.Fields("Add Info"), vb::Variant("Omega"));
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3020);
}

TEST_F(RecordsetTest, ARequiredFieldLeftNullIsRefused) {
  auto rs = db.OpenRecordset("Items");
  rs.AddNew();
  rs.SetField("Add Info", "no key");
  EXPECT_EQ(ErrorNumber([&] { rs.Update(); }), 3314);
  EXPECT_EQ(rs.RecordCount(), 5);
}

TEST_F(RecordsetTest, AClosedRecordsetRefusesEverything) {
  auto rs = db.OpenRecordset("Items");
  rs.Close();
  rs.Close();
  EXPECT_FALSE(rs.IsOpen());
  EXPECT_EQ(ErrorNumber([&] { (void)rs.Eof(); }), 3420);
  dao::Recordset never;
  EXPECT_EQ(ErrorNumber([&] { (void)never.RecordCount(); }), 3420);
}

}  // namespace
