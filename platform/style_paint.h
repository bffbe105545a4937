#pragma once
// Drawing in the active style, shared by the controls, the About box and the message boxes:
// faces with the style's corners, frame and gradient, push buttons, check marks.
#include <windows.h>
#include <commctrl.h>

#include <functional>
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

// Gives a device context back as it was found: whatever a drawing selects into it or sets on it
// (font, brush, pen, background mode, colours) is undone when the scope ends.
class DcRestore {
public:
    explicit DcRestore(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcRestore() { RestoreDC(dc_, saved_); }
    DcRestore(const DcRestore&) = delete;
    DcRestore& operator=(const DcRestore&) = delete;

    // Text in the window's font, drawn transparently in the colour.
    void UseTextOf(HWND hwnd, COLORREF color) const;

private:
    HDC dc_;
    int saved_;
};

// A control that paints itself in a style: answers WM_ERASEBKGND (the painting covers the whole
// client area) and WM_PAINT, which fills the client area and draws the rest with `paint`, the
// control's text set up in the role's colour. False for other messages and in the plain look, which
// keeps the control's own drawing.
using StyledPainter = std::function<void(HDC dc, const RECT& client)>;
bool PaintStyled(HWND hwnd, UINT message, HBRUSH fill, ColorRole text, LRESULT& result, const StyledPainter& paint);

}  // namespace tw::ui
