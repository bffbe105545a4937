#include "about/about_dialog_win.h"

#include <algorithm>

#include "platform/application.h"

namespace tw {

namespace {

// The centre of a window's monitor.
POINT MonitorCentre(HWND window) {
    const RECT screen = ui::Application::Instance().Monitors().OfWindow(window).bounds;
    return {screen.left + (screen.right - screen.left) / 2, screen.top + (screen.bottom - screen.top) / 2};
}

}  // namespace

AboutDialog* AboutDialog::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    if (lstrcmpW(name, ui::Form::WindowClassName()) != 0) return nullptr;
    return dynamic_cast<AboutDialog*>(ui::WindowHandler::FromHandle(hwnd));
}

// Created at the centre of the monitor it will show on, so that it gets that monitor's DPI.
AboutDialog::AboutDialog(HWND owner, const std::wstring& caption, const std::wstring& text, int iconId,
                         const std::wstring& imageHint)
    : ui::Form(owner, MonitorCentre(owner)),
      image_(*this, iconId),
      message_(*this, text, ui::Label::Alignment::Left, ui::Label::Lines::Wrapped),
      ok_(*this, L"OK") {
    SetCaption(caption);
    image_.SetId(ImageId);
    message_.SetId(MessageId);
    image_.SetHandCursor(true);
    image_.OnClick = [this](ui::Object*) {
        if (OnImageClick) OnImageClick(this);
    };
    // The OK button is the cancel button too.
    SetDefaultButton(ok_);
    SetCancelButton(ok_);
    ok_.OnClick = [this](ui::Object*) { EndModal(IDOK); };
    // Of the box's parts only the icon has a hint. It is never disabled, so the hint sits on its
    // window alone.
    Hints().SetWindowTool(image_.Handle(), imageHint);

    Layout();
    const POINT centre = MonitorCentre(owner);
    const int left = centre.x - Width() / 2;
    const int top = centre.y - Height() / 2;
    SetBounds({left, top, left + Width(), top + Height()});
    // At a new DPI the fonts and the icon change size: the box fits around them again.
    OnResize = [this](ui::Object*) { Layout(); };
}

void AboutDialog::Layout() {
    const int iconSize = image_.IconSize();
    // Long lines (the program's path) wrap at half the screen's width.
    const SIZE text = message_.TextExtent(std::max(GetSystemMetrics(SM_CXSCREEN) / 2, ScaleValue(200)));

    const int margin = ScaleValue(12);
    const int spacing = ScaleValue(12);
    const int buttonWidth = ScaleValue(88);
    const int buttonHeight = ScaleValue(26);
    const int textLeft = margin + iconSize + spacing;
    const int contentHeight = std::max<int>(iconSize, text.cy);
    const int clientWidth = std::max<int>(textLeft + text.cx + margin, buttonWidth + 2 * margin);
    const int buttonTop = margin + contentHeight + spacing;
    const int clientHeight = buttonTop + buttonHeight + margin;

    image_.SetBounds({margin, margin, margin + iconSize, margin + iconSize});
    message_.SetBounds({textLeft, margin, textLeft + text.cx, margin + text.cy});
    const int buttonLeft = (clientWidth - buttonWidth) / 2;
    ok_.SetBounds({buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight});
    SetClientSize(clientWidth, clientHeight);
}

}  // namespace tw
