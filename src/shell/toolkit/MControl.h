#pragma once
// Base of every control. A control is a piece of model state owned by its dialog: any thread
// may change it (the device worker updates status controls and reloads pages directly), every
// change bumps a revision and tells the dialog, and the view repaints on the UI thread.
// Each control guards its own state with its own mutex; no lock is held while the dialog's
// handlers run, so a handler may freely call back into any control.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "shell/toolkit/Types.h"

namespace zq::ui {

class MDialog;

// How the keyboard may change an editable text.
struct EditRules {
  bool numberOnly = false;  // digits only
  bool allowMinus = false;  // with numberOnly: a leading '-' as well
  bool readOnly = false;    // the field takes the focus but typing never changes it
  int maxChars = 0;         // 0: no limit (counted in characters, not bytes)
};

class MControl {
 public:
  MControl(MDialog* owner, MControl* parent, std::string className, int id);
  virtual ~MControl();
  MControl(const MControl&) = delete;
  MControl& operator=(const MControl&) = delete;

  int GetID() const { return id_; }
  const std::string& GetClassName() const { return className_; }
  MDialog* GetOwner() const { return owner_; }
  MControl* GetParent() const { return parent_; }

  void SetEnabled(bool enabled);
  bool IsEnabled() const;
  void SetVisible(bool visible);
  bool IsVisible() const;
  // Visible and enabled as the user sees them: a control inside a hidden page or area is hidden.
  bool IsShown() const;
  bool IsUsable() const;

  void SetRect(const Rect& rect);
  Rect GetRect() const;
  void SetTooltip(std::string text);
  std::string GetTooltip() const;
  // Image file relative to the program folder ("icon\\tab_home.png" and "icon/tab_home.png"
  // name the same file).
  void SetImage(std::string file);
  std::string GetImage() const;
  // Asks the view to draw the control again without a change of state.
  void UpdateControl();
  // Per-control animation timer period in milliseconds (0: none).
  void AddMTimer(int periodMs);
  int GetMTimer() const;
  // The two creation flags, kept for the pages that pass them.
  void SetFlags(int flag1, int flag2);
  std::pair<int, int> GetFlags() const;

  bool HasFocus() const { return focused_.load(); }
  std::uint64_t Revision() const { return revision_.load(); }

  // --- Input hooks, called by MDialog on the UI thread; each applies the state change a user's
  // action makes and says which event (if any) the dialog reports. ---
  virtual bool TakesFocus() const { return false; }
  virtual bool IsTextEditable() const { return false; }
  virtual EditRules GetEditRules() const { return {}; }
  virtual std::string GetEditText() const { return {}; }
  // Stores text the user typed (already checked against the rules); returns true when it changed.
  virtual bool StoreEditText(const std::string& /*text*/) { return false; }
  // Left click on the control or on its item `index` (-1: no item). Returns true when the click
  // is reported as event 2 with `value`.
  virtual bool ApplyClick(int index, std::int64_t& value);
  virtual bool ApplyRightClick(int index, std::int64_t& value);
  // Choice of an item of a list (combo, tab, list). Default: same as a click on the item.
  virtual bool ApplyChoose(int index, std::int64_t& value) { return ApplyClick(index, value); }
  // A slider or value control moved to `position`.
  virtual bool ApplySlide(int /*position*/, std::int64_t& /*value*/) { return false; }

 protected:
  // Every setter ends here: bumps the revision and tells the dialog that the view is stale.
  void Changed();
  // Assigns under the lock and reports a change only when the value differs.
  template <class T, class V>
  void Assign(T& field, V&& value) {
    {
      std::lock_guard lock(mu_);
      if (field == value) return;
      field = std::forward<V>(value);
    }
    Changed();
  }
  template <class T>
  T Read(const T& field) const {
    std::lock_guard lock(mu_);
    return field;
  }

  mutable std::mutex mu_;

 private:
  friend class MDialog;
  void SetFocused(bool focused) {
    focused_.store(focused);
    Changed();
  }

  MDialog* const owner_;
  MControl* const parent_;
  const std::string className_;
  const int id_;
  std::atomic<std::uint64_t> revision_{1};
  std::atomic<bool> focused_{false};
  bool enabled_ = true;
  bool visible_ = true;
  Rect rect_;
  std::string tooltip_;
  std::string image_;
  int timer_ = 0;
  int flag1_ = 0;
  int flag2_ = 0;
};

// A control that shows a text: title, font and alignment.
class MControlFont : public MControl {
 public:
  using MControl::MControl;

  void SetTitle(std::string title);
  std::string GetTitle() const;
  // Size in pixels of the design (the view scales nothing itself); style bit 1 bold, 2 italic.
  void SetFont(int size, int style = 0);
  int GetFontSize() const;
  int GetFontStyle() const;
  // Empty: the program's default family (Manager::SetFontName).
  void SetFontName(std::string family);
  std::string GetFontName() const;
  // Font weight on the 100..900 scale (0: the family's regular weight).
  void SetFontWidth(int weight);
  int GetFontWidth() const;
  void SetAlignment(Align align);
  Align GetAlignment() const;
  void SetVAlignment(VAlign align);
  VAlign GetVAlignment() const;
  void SetTextColor(Color color);
  Color GetTextColor() const;

 protected:
  std::string title_;  // guarded by mu_

 private:
  int fontSize_ = 14;
  int fontStyle_ = 0;
  std::string fontName_;
  int fontWidth_ = 0;
  Align align_ = Align::Left;
  VAlign valign_ = VAlign::Center;
  Color textColor_ = 0xFFB8D3EF;
};

}  // namespace zq::ui
