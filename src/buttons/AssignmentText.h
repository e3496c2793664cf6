#pragma once
// The texts of an assignment: the description stored with it and the text
// the buttons page shows for it.

#include <string>

#include "store/Records.h"

namespace zq {

// The macro_desc to store for `assignment`, whose macro_desc holds the
// caller's text: the text number of a fixed function, multimedia or shortcut
// value; a macro name with default-name words in the current language; the
// caller's text otherwise.
std::string BuildAssignmentDescription(const ButtonAssignment& assignment);

// A key combination shows its description; anything else shows the language
// text numbered by the description's leading digits, or the description
// itself when there is no such text.
std::string AssignmentDisplayText(int function_type, const std::string& macro_desc);

}  // namespace zq
