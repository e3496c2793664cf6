#pragma once
// Single-line edits. The title is the edit text. Keyboard input arrives through the dialog
// (focus: event 30, each change of the text: 26, finished by focus loss or Enter: 29).

#include <string>

#include "shell/toolkit/MControl.h"

namespace zq::ui {

class MEdit : public MControlFont {
 public:
  MEdit(MDialog* owner, MControl* parent, int id, std::string cls = "MEdit")
      : MControlFont(owner, parent, std::move(cls), id) {}

  std::string GetEditText() const override { return GetTitle(); }
  void SetLimitText(int maxChars);
  void SetNumberOnly(bool numberOnly);
  // A key-capture field: it takes the focus, but typed characters never change its text.
  void SetReadOnly(bool readOnly);
  // Grey text shown while the field is empty.
  void SetPlaceholder(std::string text) { Assign(placeholder_, std::move(text)); }
  std::string GetPlaceholder() const { return Read(placeholder_); }

  bool TakesFocus() const override { return true; }
  bool IsTextEditable() const override { return true; }
  EditRules GetEditRules() const override { return Read(rules_); }
  bool StoreEditText(const std::string& text) override;
  bool ApplyClick(int, std::int64_t&) override { return false; }

 protected:
  EditRules rules_;  // guarded by mu_

 private:
  std::string placeholder_;
};

// A number field with up and down arrows. A click on an arrow (item 0 up, 1 down) steps the
// number within the range and reports event 2 with the new number; typing may go outside the
// range, since the pages limit typed numbers themselves when the edit is finished.
class NumberEdit : public MEdit {
 public:
  NumberEdit(MDialog* owner, MControl* parent, int id, std::string cls = "NumberEdit");
  void SetRange(int minimum, int maximum);
  int GetMin() const;
  int GetMax() const;
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  int min_ = 0;
  int max_ = 99999;
};

class NumberEdit2 : public NumberEdit {
 public:
  NumberEdit2(MDialog* owner, MControl* parent, int id) : NumberEdit(owner, parent, id, "NumberEdit2") {}
};

}  // namespace zq::ui
