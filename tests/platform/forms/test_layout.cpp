// The layout rows derived from a declaration, and a form laid out from them.
#include <gtest/gtest.h>

#include "FormsTest.h"
#include "platform/forms/Layout.h"
#include "platform/forms/Registry.h"

namespace {

using formstest::FormsTest;

TEST_F(FormsTest, TheRowsMatchTheFormsCollection) {
  const auto rows = forms::LayoutRows(form->Spec());
  const auto& members = form->Controls();
  ASSERT_EQ(rows.size(), members.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].FormId, 99);
    EXPECT_EQ(rows[i].ControlNumber, static_cast<int16_t>(i));
    EXPECT_EQ(rows[i].Name, members[i]->Name()) << i;
    EXPECT_EQ(rows[i].Index, members[i]->Index()) << i;
    if (forms::LayoutPassesOver(members[i]->KindOf())) {
      EXPECT_EQ(rows[i].LocRatX + rows[i].LocRatY + rows[i].SizRatWidth + rows[i].SizRatHeight, 0) << i;
    }
  }
}

TEST_F(FormsTest, RowsAreRatiosOfTheDesignGeometry) {
  const auto rows = forms::LayoutRows(form->Spec());
  const forms::LayoutRow& play = rows[1];  // cPlay at 240, 600, 1200 x 400 on 12000 x 9000
  EXPECT_EQ(play.Name, "cPlay");
  EXPECT_DOUBLE_EQ(play.LocRatX, 240.0 / 12000);
  EXPECT_DOUBLE_EQ(play.LocRatY, 600.0 / 9000);
  EXPECT_DOUBLE_EQ(play.SizRatWidth, 1200.0 / 12000);
  EXPECT_DOUBLE_EQ(play.SizRatHeight, 400.0 / 9000);
}

TEST_F(FormsTest, ADesignSizedWindowGetsTheDesignGeometryBack) {
  forms::ApplyLayout(*form, forms::LayoutRows(form->Spec()), 12000, 9000);
  for (const forms::MemberSpec& m : form->Spec().Members) {
    if (forms::LayoutPassesOver(m.kind) || forms::LayoutKeepsHeight(m.kind)) continue;
    auto& c = m.Index >= 0 ? form->Ctl(m.Name, m.Index) : form->Ctl(m.Name);
    EXPECT_NEAR(c.Left(), m.P.Geometry.Left, 1e-9) << m.Name;
    EXPECT_NEAR(c.Height(), m.P.Geometry.Height, 1e-9) << m.Name;
  }
}

TEST_F(FormsTest, ARowPlacesAButtonALineAndACombo) {
  const forms::LayoutRow row{99, 0, 0.5, 0.25, 0.1, 0.2, "", -1};
  auto& button = form->Ctl("cPlay");
  forms::ApplyLayoutRow(button, row, 10000, 8000);
  EXPECT_DOUBLE_EQ(button.Left(), 5000);
  EXPECT_DOUBLE_EQ(button.Top(), 2000);
  EXPECT_DOUBLE_EQ(button.Width(), 1000);
  EXPECT_DOUBLE_EQ(button.Height(), 1600);

  auto& line = form->Get<forms::Line>("Line4");
  forms::ApplyLayoutRow(line, row, 10000, 8000);
  EXPECT_DOUBLE_EQ(line.X1(), 5000);
  EXPECT_DOUBLE_EQ(line.Y1(), 2000);
  EXPECT_DOUBLE_EQ(line.X2(), 1000);  // the second end point, not a size
  EXPECT_DOUBLE_EQ(line.Y2(), 1600);

  auto& combo = form->Ctl("cScaleList");
  const double ownHeight = combo.Height();
  forms::ApplyLayoutRow(combo, row, 10000, 8000);
  EXPECT_DOUBLE_EQ(combo.Left(), 5000);
  EXPECT_DOUBLE_EQ(combo.Width(), 1000);
  EXPECT_EQ(combo.Height(), ownHeight);

  auto& timer = form->Ctl("cTimer");
  forms::ApplyLayoutRow(timer, row, 10000, 8000);
  EXPECT_EQ(timer.Left(), 0);
}

TEST_F(FormsTest, TheSqlHoldsOneFormRowAndOneRowPerMember) {
  const std::string sql = forms::LayoutRowsSql({form->Spec()});
  EXPECT_NE(sql.find("INSERT INTO \"KZForms\" (\"Form Name\", \"Form Id\", \"TotalControlCount\") VALUES ('TestForm', 99, " +
                     std::to_string(form->Spec().Members.size()) + ");"),
            std::string::npos);
  size_t rows = 0;
  for (size_t at = sql.find("INSERT INTO \"KZFormControls\""); at != std::string::npos;
       at = sql.find("INSERT INTO \"KZFormControls\"", at + 1))
    ++rows;
  EXPECT_EQ(rows, form->Spec().Members.size());
  EXPECT_NE(sql.find("VALUES (99, 1, 0.02, 0.06666666666666667, 0.1, 0.044444444444444446);  -- cPlay"),
            std::string::npos);
  EXPECT_NE(sql.find("-- cR(0)"), std::string::npos);
}

TEST(LayoutSql, NoFormsGiveACommentOnly) {
  const std::string sql = forms::LayoutRowsSql({});
  EXPECT_EQ(sql.find("INSERT"), std::string::npos);
  EXPECT_EQ(sql.rfind("--", 0), 0u);
}

TEST(LayoutSql, QuotesInAFormNameAreDoubled) {
  forms::FormSpec f("It's", "", 5, {0, 0, 100, 100});
  EXPECT_NE(forms::LayoutRowsSql({f}).find("('It''s', 5, 0)"), std::string::npos);
}

TEST(LayoutSql, ARegisteredFormIsAmongTheDeclaredForms) {
  const auto declared = forms::DeclaredForms();
  ASSERT_EQ(declared.size(), 1u);
  EXPECT_EQ(declared[0].Name(), "TestForm");
  EXPECT_EQ(declared[0].Members.size(), formstest::DeclareTestForm().Members.size());
  EXPECT_TRUE(forms::CheckDeclarations(declared).empty());
}

TEST(Declarations, FaultsThatWouldBreakLookupsAreFound) {
  struct Case {
    const char* what;
    std::function<void(forms::FormSpec&)> declare;
  } cases[] = {
      {"a name used twice", [](forms::FormSpec& f) { f.Label("a", "", {}); f.Button("A", "", {}); }},
      {"an element declared twice", [](forms::FormSpec& f) { f.Label("a", "", {}).Index(0); f.Label("a", "", {}).Index(0); }},
      {"an array of two kinds", [](forms::FormSpec& f) { f.Label("a", "", {}).Index(0); f.Shape("a", {}).Index(1); }},
      {"a member of a frame that is not there", [](forms::FormSpec& f) {
         auto fr = f.Frame("F", "", {});
         f.Members.erase(f.Members.begin());
         fr.Option("o", "", {});
       }},
  };
  for (const auto& c : cases) {
    forms::FormSpec f("F", "", 1, {0, 0, 100, 100});
    c.declare(f);
    EXPECT_FALSE(forms::CheckDeclaration(f).empty()) << c.what;
  }
  EXPECT_TRUE(forms::CheckDeclaration(formstest::DeclareTestForm()).empty());
  forms::FormSpec a("A", "", 1, {}), b("a", "", 2, {}), c("C", "", 1, {});
  EXPECT_EQ(forms::CheckDeclarations({a, b, c}).size(), 2u);
}

}  // namespace
