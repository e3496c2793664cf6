#include "buttons/AssignmentText.h"

#include "buttons/FunctionCatalogue.h"
#include "platform/Localization.h"
#include "platform/Text.h"

namespace zq {

std::string BuildAssignmentDescription(const ButtonAssignment& a) {
  const int type = a.macro_type;
  if (const int text = FunctionTextNumber(type); text != 0) return FormatInt(text);
  switch (static_cast<FunctionType>(type)) {
    case FunctionType::Multimedia:
      if (const int text = MultimediaTextNumber(a.macro_value); text != 0) return FormatInt(text);
      return a.macro_desc;
    case FunctionType::Shortcut:
      if (const int text = ShortcutTextNumber(a.macro_value); text != 0) return FormatInt(text);
      return a.macro_desc;
    case FunctionType::MacroFunction:
      return LocalizeDefaultName(a.macro_desc);
    default:
      return a.macro_desc;
  }
}

std::string AssignmentDisplayText(int function_type, const std::string& macro_desc) {
  if (function_type == static_cast<int>(FunctionType::KeyCombination)) return macro_desc;
  // Only leading digits count: no blanks, no sign.
  int n = 0;
  for (char c : macro_desc) {
    if (c < '0' || c > '9') break;
    if (n > 100000000) break;  // no text has such a number; keeps n in range
    n = n * 10 + (c - '0');
  }
  const std::string text = n > 0 ? LoadLanText(kLanSection, n) : std::string();
  return text.empty() ? macro_desc : text;
}

}  // namespace zq
