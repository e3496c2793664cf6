#pragma once
// The look shared by every window: colours, fonts and how image files are cut into states.
//
// Image conventions (the artwork generator draws to them):
//  - push buttons (MButton, CTextButton, CIconButton background): four states stacked
//    vertically, normal / hover / pressed / disabled, each drawn nine-slice into the control;
//  - window buttons (CImageButton): the same four states, each drawn scaled into the control;
//  - check boxes and radio buttons: two states stacked vertically, unchecked / checked;
//  - everything else: one picture, drawn scaled into the control's rectangle.
// A missing image is replaced by a drawn equivalent in the theme's colours, so a window stays
// usable (and presentable) while artwork is still being added.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <cstdint>
#include <string>

namespace zq::ui::theme {

inline const QColor kWindow{0x12, 0x18, 0x24};        // deep navy
inline const QColor kPanel{0x1A, 0x23, 0x33};
inline const QColor kPanelRaised{0x22, 0x2D, 0x40};
inline const QColor kBorder{0x2E, 0x3B, 0x52};
inline const QColor kText{0xB8, 0xD3, 0xEF};          // the pages' text colour 0xFFB8D3EF
inline const QColor kTextDim{0x6F, 0x85, 0x9E};
inline const QColor kAccent{0x2B, 0xC4, 0xD8};        // cyan
inline const QColor kAccentDeep{0x17, 0x8C, 0x9E};

QColor FromArgb(std::uint32_t argb);
// A colour given as Windows 0x00BBGGRR (the DPI level colours).
QColor FromColorRef(std::uint32_t bgr);

// "Open Sans Semibold" is the family the program asks for. Debian's Open Sans has no upright
// Semibold face, so that name maps to Open Sans at DemiBold weight; WenQuanYi Micro Hei covers
// Chinese text.
QFont MakeFont(const std::string& family, int pixelSize, int weight = 0, int style = 0);

// Draws `pix` into `target`, keeping a border of `border` pixels unscaled.
void DrawNineSlice(class QPainter& p, const QRect& target, const QPixmap& pix, int border);

}  // namespace zq::ui::theme
