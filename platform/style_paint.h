#pragma once
// Drawing in the active style, shared by the controls, the About box and the message boxes:
// faces with the style's corners, frame and gradient, push buttons, check marks.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/style_engine.h"

namespace tw::ui {

// A face: filled with the role's colour (with the style's gradient) inside the style's frame.
// A two-colour gradient over the rectangle, left to right or top to bottom.
void FillGradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal);
void PaintFace(HDC dc, const RECT& r, ColorRole fill, ColorRole frame, UINT dpi);
// The check box square with its mark, in field and accent colours.
void PaintCheckMark(HDC dc, const RECT& box, bool checked, bool enabled, bool hot, UINT dpi);
// Handles a button's NM_CUSTOMDRAW in the active style (push buttons and check boxes): draws the
// whole button and sets the result. False in the plain look, which keeps the default drawing.
bool CustomDrawButton(const NMCUSTOMDRAW& draw, LRESULT& result);
// A window's DPI (96 when the system cannot tell).
UINT WindowDpi(HWND hwnd);

}  // namespace tw::ui
