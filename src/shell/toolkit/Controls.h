#pragma once
// The simple controls: texts, pictures, areas, buttons, check buttons and the status displays.

#include <string>

#include "shell/toolkit/MControl.h"

namespace zq::ui {

class MText : public MControlFont {
 public:
  MText(MDialog* owner, MControl* parent, int id, std::string cls = "MText")
      : MControlFont(owner, parent, std::move(cls), id) {}
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplyRightClick(int, std::int64_t&) override { return false; }
};

class MPicture : public MControl {
 public:
  MPicture(MDialog* owner, MControl* parent, int id, std::string cls = "MPicture")
      : MControl(owner, parent, std::move(cls), id) {}
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplyRightClick(int, std::int64_t&) override { return false; }
};

// An animated picture (GIF). The view animates it while it is running.
class CGifPicture : public MPicture {
 public:
  CGifPicture(MDialog* owner, MControl* parent, int id) : MPicture(owner, parent, id, "CGifPicture") {}
  void Start() { Assign(running_, true); }
  void Stop() { Assign(running_, false); }
  bool IsRunning() const { return Read(running_); }

 private:
  bool running_ = false;
};

// A transparent region: a title bar, a rounded panel with a caption, or a parent of controls
// whose visibility follows it. A press on an area drags a window that allows dragging.
class CArea : public MControlFont {
 public:
  CArea(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "CArea", id) {}
  // Creates a child control (rectangles stay in the dialog's client coordinates).
  MControl* CreateControl(const std::string& className, int id, const Rect& rect,
                          const std::string& title, int flag1 = 0, int flag2 = 0);
  // Background colour of the panel; 0 (fully transparent) draws nothing.
  void SetBackColor(Color color) { Assign(backColor_, color); }
  Color GetBackColor() const { return Read(backColor_); }
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplyRightClick(int, std::int64_t&) override { return false; }

 private:
  Color backColor_ = 0;
};

// A push button: image (states side by side: normal, hover, pressed, disabled) and a title.
class MButton : public MControlFont {
 public:
  MButton(MDialog* owner, MControl* parent, int id, std::string cls = "MButton")
      : MControlFont(owner, parent, std::move(cls), id) {
    SetAlignment(Align::Center);
  }
  bool TakesFocus() const override { return true; }
};

class CImageButton : public MButton {
 public:
  CImageButton(MDialog* owner, MControl* parent, int id) : MButton(owner, parent, id, "CImageButton") {}
};

// A button drawn as a text link.
class CTextButton : public MButton {
 public:
  CTextButton(MDialog* owner, MControl* parent, int id) : MButton(owner, parent, id, "CTextButton") {}
};

// A button with an icon left of its title.
class CIconButton : public MButton {
 public:
  CIconButton(MDialog* owner, MControl* parent, int id) : MButton(owner, parent, id, "CIconButton") {}
  void SetIcon(std::string file) { Assign(icon_, std::move(file)); }
  std::string GetIcon() const { return Read(icon_); }

 private:
  std::string icon_;
};

// A button with a check state. With a group name, checking it unchecks every other control of
// the same group in the dialog and a click only ever checks; without one a click toggles.
class MCheckable : public MButton {
 public:
  MCheckable(MDialog* owner, MControl* parent, int id, std::string cls)
      : MButton(owner, parent, id, std::move(cls)) {
    SetAlignment(Align::Left);
  }
  void SetCheck(bool checked);
  bool GetCheck() const { return Read(checked_); }
  void SetGroupName(std::string group) { Assign(group_, std::move(group)); }
  std::string GetGroupName() const { return Read(group_); }
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  friend class MDialog;
  void StoreCheck(bool checked) { Assign(checked_, checked); }
  bool checked_ = false;
  std::string group_;
};

class CCheckButton : public MCheckable {
 public:
  CCheckButton(MDialog* owner, MControl* parent, int id) : MCheckable(owner, parent, id, "CCheckButton") {}
};

class CRadioButton : public MCheckable {
 public:
  CRadioButton(MDialog* owner, MControl* parent, int id) : MCheckable(owner, parent, id, "CRadioButton") {}
  // A radio without a group still behaves as one: a click checks, never unchecks.
  bool ApplyClick(int index, std::int64_t& value) override;
};

// An on/off switch with one image per state.
class CSwitchButton : public MCheckable {
 public:
  CSwitchButton(MDialog* owner, MControl* parent, int id) : MCheckable(owner, parent, id, "CSwitchButton") {}
  void SetImages(std::string off, std::string on);
  std::string GetOffImage() const { return Read(off_); }
  std::string GetOnImage() const { return Read(on_); }

 private:
  std::string off_;
  std::string on_;
};

// A checkable button with a colour of its own (the report-rate buttons).
class ColorButtonEx : public MCheckable {
 public:
  ColorButtonEx(MDialog* owner, MControl* parent, int id) : MCheckable(owner, parent, id, "ColorButtonEx") {
    SetAlignment(Align::Center);
  }
  void SetColor(Color color) { Assign(color_, color); }
  Color GetColor() const { return Read(color_); }

 private:
  Color color_ = 0xFF2BC4D8;
};

// Battery level (0..100) and the mouse's state byte, drawn with three images.
class BatteryCtrl : public MControl {
 public:
  BatteryCtrl(MDialog* owner, MControl* parent, int id) : MControl(owner, parent, "BatteryCtrl", id) {}
  void SetBatteryInfo(int level, int state);
  int GetBatteryLevel() const { return Read(level_); }
  int GetBatteryState() const { return Read(state_); }
  void SetImages(std::string background, std::string charge, std::string value);
  std::string GetBackgroundImage() const { return Read(background_); }
  std::string GetChargeImage() const { return Read(charge_); }
  std::string GetValueImage() const { return Read(value_); }
  bool ApplyClick(int, std::int64_t&) override { return false; }

 private:
  int level_ = 0;
  int state_ = 0;
  std::string background_;
  std::string charge_;
  std::string value_;
};

// The connection state: a text with a state picture.
class CDeviceState : public MControlFont {
 public:
  CDeviceState(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "CDeviceState", id) {}
  void SetState(int state) { Assign(state_, state); }
  int GetState() const { return Read(state_); }
  bool ApplyClick(int, std::int64_t&) override { return false; }

 private:
  int state_ = 0;
};

}  // namespace zq::ui
