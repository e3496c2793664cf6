#pragma once
// Plain value types and codes shared by every control, the dialogs and the views.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zq::ui {

// ARGB colour, as the pages write them (0xFFB8D3EF).
using Color = std::uint32_t;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Left/top inclusive, right/bottom exclusive, in client coordinates of the dialog.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

// Event codes that reach MDialog::OnMessage.
inline constexpr int kEventClick = 2;        // click, or a committed choice (value: index)
inline constexpr int kEventRightClick = 9;   // right click (value: item index or -1)
inline constexpr int kEventChanging = 26;    // an edit's text changes; a slider is dragged
inline constexpr int kEventEditEnd = 29;     // an edit is finished: focus lost or Enter
inline constexpr int kEventEditFocus = 30;   // an edit gains the keyboard focus

// Codes that end a modal dialog.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

enum class Align { Left = 0, Center = 1, Right = 2 };
enum class VAlign { Top = 0, Center = 1, Bottom = 2 };

// The code points of UTF-8 text, each as its own UTF-8 string (typing goes by characters).
std::vector<std::string> SplitCharacters(std::string_view utf8);
std::size_t CharacterCount(std::string_view utf8);

}  // namespace zq::ui
