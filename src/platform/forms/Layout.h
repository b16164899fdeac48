// The proportional layout of a form: its KZForms and KZFormControls rows, derived
// from the declaration's design geometry, and the rule that places a loaded form's
// members from such rows.
//
// Row k describes member k of the form's collection (design order). Each ratio is
// the member's design position or size over the form's design width or height; for
// a line the four numbers are its end points X1, Y1, X2, Y2. Menu items, timers and
// the multimedia control take a row of zeros, which the layout passes over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Declaration.h"

namespace forms {

class Control;
class Form;

struct LayoutRow {
  int16_t FormId = 0;
  int16_t ControlNumber = 0;
  double LocRatX = 0, LocRatY = 0, SizRatWidth = 0, SizRatHeight = 0;
  std::string Name;  // not stored: names the member in checks and in the SQL comments
  int16_t Index = -1;
};

// Menu items, timers and the multimedia control are not laid out.
bool LayoutPassesOver(Kind kind);
// The window system fixes the height of combo boxes and drive list boxes.
bool LayoutKeepsHeight(Kind kind);

// The rows of one declared form, in the order of its collection.
std::vector<LayoutRow> LayoutRows(const FormSpec& form);

// Places one member from its row in a window of W x H twips (the values handed on
// unrounded): a line gets its end points, any other member left, top, width and,
// except combo and drive list boxes, height.
void ApplyLayoutRow(Control& member, const LayoutRow& row, double W, double H);

// Lays out the first rows.size() members of a loaded form, then runs the steps the
// screen keeps for what it places itself (Form::Arrange).
void ApplyLayout(Form& form, const std::vector<LayoutRow>& rows, double W, double H);

// The SQL that fills "KZForms" and "KZFormControls" for the given forms (columns in
// their schema order: "Form Name", "Form Id", "TotalControlCount"; form id, control
// number, "LocRatX", "LocRatY", "SizRatWidth", "SizRatHeight"). With no forms it is
// a comment only.
std::string LayoutRowsSql(const std::vector<FormSpec>& forms);

// Faults of a declaration that would break lookups or the layout: names used twice,
// an array element declared twice, a member whose frame or menu is not declared
// before it. Empty when the declaration is sound.
std::vector<std::string> CheckDeclaration(const FormSpec& form);
// CheckDeclaration of each form, and form names or ids used twice.
std::vector<std::string> CheckDeclarations(const std::vector<FormSpec>& forms);

}  // namespace forms
