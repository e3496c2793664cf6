#pragma once
// Sliders and the DPI level control.

#include <string>

#include "shell/toolkit/Controls.h"

namespace zq::ui {

// A horizontal slider with an integer range. While the user drags it the dialog reports
// event 26 with each position; releasing it reports event 2.
class MSlider : public MControl {
 public:
  MSlider(MDialog* owner, MControl* parent, int id, std::string cls = "MSlider")
      : MControl(owner, parent, std::move(cls), id) {}
  void SetRange(int minimum, int maximum);
  int GetMin() const;
  int GetMax() const;
  // Clamped to the range.
  void SetProgress(int position);
  int GetProgress() const;
  // Image of the filled part of the bar (the empty part is drawn by the view).
  void SetBarImage(std::string file) { Assign(bar_, std::move(file)); }
  std::string GetBarImage() const { return Read(bar_); }

  bool TakesFocus() const override { return true; }
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplySlide(int position, std::int64_t& value) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
  std::string bar_;
};

// The DPI slider: position p stands for p x 100 DPI. Its range starts at 2 (200 DPI, the
// lowest value a level accepts) and ends at 240 (24000 DPI).
class DPISlider : public MSlider {
 public:
  DPISlider(MDialog* owner, MControl* parent, int id) : MSlider(owner, parent, id, "DPISlider") {
    SetRange(2, 240);
  }
};

// One DPI level: a caption ("DPI 1"), an editable value, a colour and a check state shared with
// the other levels of its group. A click on it checks it (event 2); its number field takes the
// focus and reports the edit events like an MEdit.
class DPIControl : public MCheckable {
 public:
  DPIControl(MDialog* owner, MControl* parent, int id);
  void SetDPIValue(int dpi);
  int GetDPIValue() const;
  void SetColor(Color color) { Assign(color_, color); }
  Color GetColor() const { return Read(color_); }
  void SetCheckState(bool checked) { SetCheck(checked); }
  bool GetCheckState() const { return GetCheck(); }

  bool IsTextEditable() const override { return true; }
  EditRules GetEditRules() const override;
  std::string GetEditText() const override { return Read(value_); }
  bool StoreEditText(const std::string& text) override;
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  std::string value_ = "0";
  Color color_ = 0xFFFF0000;
};

}  // namespace zq::ui
