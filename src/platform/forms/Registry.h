// The declared forms of the program, gathered for the layout-row tool. A screen's
// declaration file registers its declaring function with VELMORA_DECLARE_FORM (use
// the function's unqualified name, inside its namespace).
#pragma once

#include <vector>

#include "platform/forms/Declaration.h"

namespace forms {

using FormDeclaration = FormSpec (*)();

// Adds a declaration; returns a value only so that registration can run at start.
int RegisterForm(FormDeclaration declare);
// Every registered declaration, built and sorted by form id.
std::vector<FormSpec> DeclaredForms();

}  // namespace forms

#define VELMORA_DECLARE_FORM(declare)                                                 \
  namespace {                                                                         \
  [[maybe_unused]] const int velmora_declared_form_##declare = ::forms::RegisterForm(&declare); \
  }
