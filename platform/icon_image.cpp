#include "platform/icon_image.h"

#include <commctrl.h>

#include "platform/application.h"
#include "platform/form.h"

namespace tw::ui {

IconImage::IconImage(Container& parent, int iconId) : Control(&parent, &parent.OwnerForm()), iconId_(iconId) {
    HWND hwnd =
        CreateWindowExW(0, WC_STATICW, nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_NOTIFY | SS_REALSIZECONTROL, 0, 0,
                        0, 0, ParentHandle(), nullptr, Application::Instance().InstanceHandle(), nullptr);
    Attach(hwnd);
    LoadIcon();
}

IconImage::~IconImage() {
    if (icon_ && ownIcon_) DestroyIcon(icon_);
}

int IconImage::IconSize() const { return GetSystemMetricsForDpi(SM_CXICON, OwnerForm().Dpi()); }

void IconImage::LoadIcon() {
    const int size = IconSize();
    HICON old = icon_;
    const bool ownedOld = ownIcon_;
    icon_ = static_cast<HICON>(LoadImageW(Application::Instance().InstanceHandle(), MAKEINTRESOURCEW(iconId_),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ownIcon_ = icon_ != nullptr;
    if (!icon_) icon_ = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED));
    SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    if (old && ownedOld) DestroyIcon(old);
}

bool IconImage::HandleCommand(WORD code) {
    if (code != STN_CLICKED) return false;
    if (OnClick) OnClick(this);
    return true;
}

void IconImage::ApplyDpi(int oldDpi) {
    Control::ApplyDpi(oldDpi);
    LoadIcon();
}

}  // namespace tw::ui
