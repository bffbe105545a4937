#include "platform/style_paint.h"

#include <algorithm>
#include <string>

namespace tw::ui {

namespace {

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
    auto channel = [&](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

int Scaled(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

std::wstring TextOf(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

// The caption as it reads without keyboard cues: the mnemonic markers taken out, "&&" a single "&".
std::wstring WithoutMnemonics(const std::wstring& caption) {
    std::wstring text;
    text.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size()) break;
        text += caption[i];
    }
    return text;
}

// Mnemonic underlines show only while keyboard cues are on, as the system's own buttons draw
// them. (DT_HIDEPREFIX says the same, but not every DrawText honours it: Wine's underlines.)
void FollowKeyboardCues(HWND hwnd, std::wstring& text, UINT& flags) {
    if (!(SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)) return;
    text = WithoutMnemonics(text);
    flags |= DT_NOPREFIX;
}

void PaintPushButton(HWND hwnd, HDC dc, const RECT& r, UINT itemState, UINT dpi) {
    LRESULT state = SendMessageW(hwnd, BM_GETSTATE, 0, 0);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    bool pressed = enabled && ((itemState & CDIS_SELECTED) || (state & BST_PUSHED));
    bool hot = enabled && ((itemState & CDIS_HOT) || (state & BST_HOT));
    bool focused = (itemState & CDIS_FOCUS) || GetFocus() == hwnd;
    bool isDefault = (itemState & CDIS_DEFAULT) || (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

    // The corners outside a rounded face show the parent's background.
    FillRect(dc, &r, RoleBrush(ColorRole::Window));
    PaintFace(dc, r,
              pressed ? ColorRole::Pressed
              : hot   ? ColorRole::Hot
                      : ColorRole::Face,
              focused || isDefault ? ColorRole::Accent : ColorRole::Edge, dpi);

    RECT textRect = r;
    BUTTON_IMAGELIST images{};
    if (SendMessageW(hwnd, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) && images.himl) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images.himl, &cx, &cy);
        int x = r.left + images.margin.left;
        int y = r.top + (r.bottom - r.top - cy) / 2;
        ImageList_Draw(images.himl, 0, dc, x, y, enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
        textRect.left = x + cx;
    }
    std::wstring text = TextOf(hwnd);
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    FollowKeyboardCues(hwnd, text, flags);
    DcRestore restore(dc);
    restore.UseTextOf(hwnd, RoleColor(enabled ? ColorRole::FaceText : ColorRole::DisabledText));
    if (pressed) OffsetRect(&textRect, 0, Scaled(1, dpi));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags);
}

void PaintCheckBox(HWND hwnd, HDC dc, const RECT& r, UINT itemState, UINT dpi) {
    LRESULT state = SendMessageW(hwnd, BM_GETSTATE, 0, 0);
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    bool hot = enabled && ((itemState & CDIS_HOT) || (state & (BST_HOT | BST_PUSHED)));
    bool checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);

    FillRect(dc, &r, RoleBrush(ColorRole::Window));
    int box = Scaled(13, dpi);
    RECT boxRect{r.left, r.top + (r.bottom - r.top - box) / 2, r.left + box, 0};
    boxRect.bottom = boxRect.top + box;
    PaintCheckMark(dc, boxRect, checked, enabled, hot, dpi);

    std::wstring text = TextOf(hwnd);
    DcRestore restore(dc);
    restore.UseTextOf(hwnd, RoleColor(enabled ? ColorRole::Text : ColorRole::DisabledText));
    RECT textRect{boxRect.right + Scaled(4, dpi), r.top, r.right, r.bottom};
    UINT flags = DT_LEFT;
    FollowKeyboardCues(hwnd, text, flags);
    if (style & BS_MULTILINE) {
        // Wrapped text is centred as a block, as the control centres it.
        RECT measure = textRect;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, flags | DT_WORDBREAK | DT_CALCRECT);
        int height = measure.bottom - measure.top;
        textRect.top = r.top + std::max(0, (static_cast<int>(r.bottom - r.top) - height) / 2);
        flags |= DT_WORDBREAK;
    } else {
        flags |= DT_SINGLELINE | DT_VCENTER;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags);
    if ((itemState & CDIS_FOCUS) && (itemState & CDIS_SHOWKEYBOARDCUES)) {
        RECT focus = textRect;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &focus, flags | DT_CALCRECT);
        InflateRect(&focus, 1, 1);
        SetTextColor(dc, RoleColor(ColorRole::Text));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace

void DcRestore::UseTextOf(HWND hwnd, COLORREF color) const {
    SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, color);
}

bool PaintStyled(HWND hwnd, UINT message, HBRUSH fill, ColorRole text, LRESULT& result, const StyledPainter& paint) {
    if (!Styled() || (message != WM_PAINT && message != WM_ERASEBKGND)) return false;
    if (message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    // The painting ends even when the painter throws: an update region left behind would bring
    // WM_PAINT back at once, for ever.
    struct Painting {
        HWND hwnd;
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        ~Painting() { EndPaint(hwnd, &ps); }
    } painting{hwnd};
    DcRestore restore(painting.dc);
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(painting.dc, &client, fill);
    restore.UseTextOf(hwnd, RoleColor(text));
    paint(painting.dc, client);
    result = 0;
    return true;
}

UINT WindowDpi(HWND hwnd) {
    UINT dpi = hwnd ? GetDpiForWindow(hwnd) : 0;
    return dpi ? dpi : 96;
}

void PaintFace(HDC dc, const RECT& r, ColorRole fill, ColorRole frame, UINT dpi) {
    const appearance::Style* style = StyleEngine::Instance().Drawing();
    if (!style) {
        FillRect(dc, &r, RoleBrush(fill));
        FrameRect(dc, &r, RoleBrush(frame));
        return;
    }
    // Small parts (the halves of a spin button) keep their corners in proportion.
    int radius = std::min<int>(Scaled(style->cornerRadius, dpi), std::min(r.right - r.left, r.bottom - r.top) / 4);
    int border = style->borderWidth > 0 ? std::max(1, Scaled(style->borderWidth, dpi)) : 0;
    HRGN region = radius > 0 ? CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, 2 * radius, 2 * radius)
                             : CreateRectRgnIndirect(&r);
    int saved = SaveDC(dc);
    ExtSelectClipRgn(dc, region, RGN_AND);
    COLORREF color = RoleColor(fill);
    if (style->gradient) {
        FillGradient(dc, r, Mix(color, RGB(255, 255, 255), 14), Mix(color, RGB(0, 0, 0), 4), false);
    } else {
        FillRect(dc, &r, RoleBrush(fill));
    }
    RestoreDC(dc, saved);
    if (border > 0) FrameRgn(dc, region, RoleBrush(frame), border, border);
    DeleteObject(region);
}

void PaintCheckMark(HDC dc, const RECT& box, bool checked, bool enabled, bool hot, UINT dpi) {
    FillRect(dc, &box, RoleBrush(ColorRole::Field));
    int border = std::max(1, Scaled(1, dpi));
    HRGN frame = CreateRectRgnIndirect(&box);
    FrameRgn(dc, frame,
             RoleBrush(hot       ? ColorRole::Accent
                       : enabled ? ColorRole::Edge
                                 : ColorRole::DisabledText),
             border, border);
    DeleteObject(frame);
    if (!checked) return;
    // The mark in the field's text colour: readable wherever the field's text is.
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    POINT mark[3] = {{box.left + w * 3 / 13, box.top + h * 7 / 13},
                     {box.left + w * 5 / 13, box.top + h * 9 / 13},
                     {box.left + w * 10 / 13, box.top + h * 4 / 13}};
    HPEN pen = CreatePen(PS_SOLID, std::max(2, Scaled(2, dpi)),
                         RoleColor(enabled ? ColorRole::FieldText : ColorRole::DisabledText));
    {
        DcRestore restore(dc);
        SelectObject(dc, pen);
        Polyline(dc, mark, 3);
    }
    DeleteObject(pen);
}

bool CustomDrawButton(const NMCUSTOMDRAW& draw, LRESULT& result) {
    if (!Styled()) return false;
    if (draw.dwDrawStage != CDDS_PREPAINT) {
        result = CDRF_DODEFAULT;
        return true;
    }
    HWND hwnd = draw.hdr.hwndFrom;
    LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    UINT dpi = WindowDpi(hwnd);
    switch (type) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: PaintPushButton(hwnd, draw.hdc, draw.rc, draw.uItemState, dpi); break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: PaintCheckBox(hwnd, draw.hdc, draw.rc, draw.uItemState, dpi); break;
        default: return false;
    }
    result = CDRF_SKIPDEFAULT;
    return true;
}

void FillGradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal) {
    auto vertex = [](LONG x, LONG y, COLORREF c) {
        TRIVERTEX v{};
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
        v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
        v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
        return v;
    };
    TRIVERTEX vertices[2] = {vertex(r.left, r.top, from), vertex(r.right, r.bottom, to)};
    GRADIENT_RECT rect{0, 1};
    GradientFill(dc, vertices, 2, &rect, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

}  // namespace tw::ui
