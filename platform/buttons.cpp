#include "platform/buttons.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/form.h"
#include "platform/style_paint.h"
#include "platform/subclass.h"
#include "platform/text.h"

namespace tw::ui {

// ---- Button ----------------------------------------------------------------------------------

Button::Button(Container& parent, const std::wstring& caption) : Control(&parent, &parent.OwnerForm()) {
    HWND hwnd = CreateWindowExW(0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                                0, 0, 0, ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    SetHandCursor(true);
}

void Button::SetImage(const ImageList& images, int index) {
    images_ = &images;
    imageIndex_ = index;
    UpdateImage();
}

void Button::UpdateImage() {
    if (!images_) return;
    int size = Scale(16);
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, 1, 0);
    images_->AddTo(list, imageIndex_, size);
    BUTTON_IMAGELIST info{};
    info.himl = list;
    info.margin = {Scale(4), 0, 0, 0};
    info.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(hwnd_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&info));
    if (imageList_) ImageList_Destroy(imageList_);
    imageList_ = list;
}

void Button::ApplyDpi(int oldDpi) {
    Control::ApplyDpi(oldDpi);
    UpdateImage();
}

void Button::Click() {
    if (OnClick) OnClick(this);
}

bool Button::HandleNotify(NMHDR& header, LRESULT& result) {
    return header.code == NM_CUSTOMDRAW && CustomDrawButton(reinterpret_cast<NMCUSTOMDRAW&>(header), result);
}

bool Button::FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (hwnd != hwnd_ || message != WM_KEYDOWN || (wParam != VK_RETURN && wParam != VK_ESCAPE)) return false;
    if (!OwnerForm().HandleDialogKey(wParam)) return false;
    result = 0;
    return true;
}

bool Button::HandleCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Click();
    return true;
}

// ---- CheckBox --------------------------------------------------------------------------------

CheckBox::CheckBox(Container& parent, const std::wstring& caption, bool checked)
    : Control(&parent, &parent.OwnerForm()) {
    HWND hwnd = CreateWindowExW(0, WC_BUTTONW, caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, 0, 0, 0,
                                ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetHandCursor(true);
}

bool CheckBox::Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (Checked() == checked) return;
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(this);
}

bool CheckBox::HandleNotify(NMHDR& header, LRESULT& result) {
    return header.code == NM_CUSTOMDRAW && CustomDrawButton(reinterpret_cast<NMCUSTOMDRAW&>(header), result);
}

bool CheckBox::HandleCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    if (OnClick) OnClick(this);
    return true;
}

// ---- Label -----------------------------------------------------------------------------------

Label::Label(Container& parent, const std::wstring& caption, Alignment alignment, Lines lines)
    : Control(&parent, &parent.OwnerForm()), lines_(lines) {
    DWORD style = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX |
                  (alignment == Alignment::Right ? SS_RIGHT : SS_LEFT) |
                  (lines == Lines::One ? SS_CENTERIMAGE : SS_EDITCONTROL);
    HWND hwnd = CreateWindowExW(0, WC_STATICW, caption.c_str(), style, 0, 0, 0, 0, ParentHandle(), nullptr,
                                Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
}

UINT Label::DrawFlags() const {
    UINT align = (GetWindowLongW(hwnd_, GWL_STYLE) & SS_TYPEMASK) == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    // With SS_EDITCONTROL | SS_NOPREFIX the static control wraps as these flags do.
    if (lines_ == Lines::Wrapped) return align | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX;
    return align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
}

SIZE Label::TextExtent(int maxWidth) const {
    const std::wstring text = WindowText(hwnd_);
    RECT r{0, 0, maxWidth, 0};
    HDC dc = GetDC(hwnd_);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(hwnd_, dc);
    return {r.right, r.bottom};
}

bool Label::FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // On a painted background the static control draws as its form tells it.
    if (hwnd != hwnd_ || !Styled() || OwnerForm().PaintsBackground()) return false;
    switch (message) {
        case WM_SETTEXT:
        case WM_ENABLE:
            // The static control paints these changes at once, in the system's disabled colour:
            // let it change with drawing held back, then paint in the style.
            if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE)) return false;
            SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
            result = CallNextSubclass(hwnd, message, wParam, lParam);
            SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return true;
        default:
            return PaintStyled(hwnd_, message, BackgroundBrush(),
                               IsWindowEnabled(hwnd_) ? ColorRole::Text : ColorRole::DisabledText, result,
                               [this](HDC dc, const RECT& client) { PaintText(dc, client); });
    }
}

void Label::PaintText(HDC dc, const RECT& client) const {
    std::wstring text = WindowText(hwnd_);
    RECT r = client;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags());
}

}  // namespace tw::ui
