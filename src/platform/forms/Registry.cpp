#include "platform/forms/Registry.h"

#include <algorithm>

namespace forms {

namespace {
std::vector<FormDeclaration>& Declarations() {
  static std::vector<FormDeclaration> d;
  return d;
}
}  // namespace

int RegisterForm(FormDeclaration declare) {
  Declarations().push_back(declare);
  return static_cast<int>(Declarations().size());
}

std::vector<FormSpec> DeclaredForms() {
  std::vector<FormSpec> forms;
  for (FormDeclaration d : Declarations()) forms.push_back(d());
  std::stable_sort(forms.begin(), forms.end(), [](const FormSpec& a, const FormSpec& b) { return a.Id() < b.Id(); });
  return forms;
}

}  // namespace forms
