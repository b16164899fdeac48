#include "platform/forms/Layout.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"

namespace forms {

namespace {

std::string Key(const std::string& name) {
  std::string k = name;
  std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return k;
}

double Ratio(double v, double whole) { return whole > 0 ? v / whole : 0.0; }

// Shortest text that reads back as the same double.
std::string Number(double v) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string Quoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

}  // namespace

bool LayoutPassesOver(Kind kind) {
  return kind == Kind::MenuItem || kind == Kind::MultimediaControl || kind == Kind::Timer;
}

bool LayoutKeepsHeight(Kind kind) { return kind == Kind::ComboBox || kind == Kind::DriveListBox; }

std::vector<LayoutRow> LayoutRows(const FormSpec& form) {
  std::vector<LayoutRow> rows;
  const double W = form.Design.Width, H = form.Design.Height;
  int16_t n = 0;
  for (const MemberSpec& m : form.Members) {
    LayoutRow r;
    r.FormId = form.Id();
    r.ControlNumber = n++;
    r.Name = m.Name;
    r.Index = m.Index;
    if (!LayoutPassesOver(m.kind)) {
      const Rect& g = m.P.Geometry;
      r.LocRatX = Ratio(g.Left, W);
      r.LocRatY = Ratio(g.Top, H);
      r.SizRatWidth = Ratio(g.Width, W);
      r.SizRatHeight = Ratio(g.Height, H);
    }
    rows.push_back(r);
  }
  return rows;
}

void ApplyLayoutRow(Control& c, const LayoutRow& row, double W, double H) {
  if (LayoutPassesOver(c.KindOf())) return;
  if (c.KindOf() == Kind::Line) {
    auto& line = static_cast<Line&>(c);
    line.SetX1(W * row.LocRatX);
    line.SetY1(H * row.LocRatY);
    line.SetX2(W * row.SizRatWidth);
    line.SetY2(H * row.SizRatHeight);
    return;
  }
  c.SetLeft(W * row.LocRatX);
  c.SetTop(H * row.LocRatY);
  c.SetWidth(W * row.SizRatWidth);
  if (!LayoutKeepsHeight(c.KindOf())) c.SetHeight(H * row.SizRatHeight);
}

void ApplyLayout(Form& form, const std::vector<LayoutRow>& rows, double W, double H) {
  const std::vector<Control*>& members = form.Controls();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i >= members.size()) vb::Raise(vb::kSubscript, "More layout rows than members on " + form.Name());
    ApplyLayoutRow(*members[i], rows[i], W, H);
  }
  form.KeepLayoutRows(rows, W, H);
  form.RunArrangements();
}

std::string LayoutRowsSql(const std::vector<FormSpec>& forms) {
  std::string sql = "-- Layout rows of the declared forms, derived from their declarations (tools/formrows).\n";
  for (const FormSpec& f : forms) {
    const auto rows = LayoutRows(f);
    sql += "\n-- " + f.Name() + "\n";
    sql += "INSERT INTO \"KZForms\" (\"Form Name\", \"Form Id\", \"TotalControlCount\") VALUES (" + Quoted(f.Name()) + ", " + std::to_string(f.Id()) + ", " +
           std::to_string(rows.size()) + ");\n";
    for (const LayoutRow& r : rows) {
      sql += "INSERT INTO \"KZFormControls\" (\"Form Id\", \"Control Number\", \"LocRatX\", \"LocRatY\", "
             "\"SizRatWidth\", \"SizRatHeight\") VALUES (" + std::to_string(r.FormId) + ", " +
             std::to_string(r.ControlNumber) + ", " + Number(r.LocRatX) + ", " + Number(r.LocRatY) + ", " +
             Number(r.SizRatWidth) + ", " + Number(r.SizRatHeight) + ");  -- " + r.Name +
             (r.Index >= 0 ? "(" + std::to_string(r.Index) + ")" : "") + "\n";
    }
  }
  return sql;
}

std::vector<std::string> CheckDeclaration(const FormSpec& form) {
  std::vector<std::string> faults;
  std::map<std::string, const MemberSpec*> first;
  std::set<std::pair<std::string, int16_t>> elements;
  const std::string where = " on form " + form.Name();
  for (const MemberSpec& m : form.Members) {
    const std::string k = Key(m.Name);
    if (m.Name.empty()) faults.push_back("a member without a name" + where);
    auto it = first.find(k);
    if (it != first.end()) {
      if (m.Index < 0 || it->second->Index < 0) {
        faults.push_back("the name " + m.Name + " is used twice" + where);
      } else if (it->second->kind != m.kind) {
        faults.push_back("the control array " + m.Name + " mixes kinds" + where);
      }
    }
    if (m.Index >= 0 && !elements.insert({k, m.Index}).second)
      faults.push_back("element " + std::to_string(m.Index) + " of " + m.Name + " is declared twice" + where);
    if (!m.Container.empty()) {
      auto c = first.find(Key(m.Container));
      if (c == first.end() || c->second->kind != Kind::Frame)
        faults.push_back(m.Name + " is placed in " + m.Container + ", which is not a frame declared before it" + where);
    }
    if (!m.ParentMenu.empty()) {
      auto c = first.find(Key(m.ParentMenu));
      if (c == first.end() || c->second->kind != Kind::MenuItem)
        faults.push_back(m.Name + " belongs to " + m.ParentMenu + ", which is not a menu declared before it" + where);
    }
    first.emplace(k, &m);
  }
  if (form.Members.size() > 32767) faults.push_back("too many members" + where);
  return faults;
}

std::vector<std::string> CheckDeclarations(const std::vector<FormSpec>& forms) {
  std::vector<std::string> faults;
  std::set<std::string> names;
  std::set<int16_t> ids;
  for (const FormSpec& f : forms) {
    for (auto& fault : CheckDeclaration(f)) faults.push_back(std::move(fault));
    if (!names.insert(Key(f.Name())).second) faults.push_back("the form name " + f.Name() + " is declared twice");
    if (!ids.insert(f.Id()).second) faults.push_back("the form id " + std::to_string(f.Id()) + " is declared twice");
  }
  return faults;
}

}  // namespace forms
