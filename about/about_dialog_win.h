#pragma once
// The About box's window: a modal message box with the program's icon (working as a link), the
// text and one OK button, laid out at the window's DPI in the system's message font.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/tooltip.h"
#include "platform/window_handler.h"

namespace tw {

class AboutDialog : public ui::Object, public ui::WindowHandler {
public:
    // Control ids of the parts, in their order: the icon, the text, the OK button.
    static constexpr int ImageId = 100;
    static constexpr int MessageId = 101;
    static constexpr int OkId = IDOK;
    static const wchar_t* WindowClassName();
    // The dialog behind one of its windows, or nullptr.
    static AboutDialog* FromHandle(HWND hwnd);

    // No other window of the program takes input while the box is open. iconId names an icon
    // resource of the program; without one the system's application icon stands in. imageHint
    // is the icon's tool tip, shown while the application's hint switch is on.
    AboutDialog(HWND owner, const std::wstring& caption, const std::wstring& text, int iconId,
                const std::wstring& imageHint);
    ~AboutDialog() override;
    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    // Paints the whole client area at every repaint; unset, the box has the plain background
    // and its text the background colour.
    std::function<void(ui::Object* sender, HDC dc, const RECT& client)> OnPaint;
    // A click on the icon. The box stays open.
    ui::Event OnImageClick;

    // Shows the box centred on its owner's monitor and handles this thread's messages (so timers go on)
    // until OK, Enter or Esc closes it, then destroys the window; returns IDOK. A quit message
    // ends it too and is left for the application's own loop. Shows once.
    int ShowModal();
    bool Closed() const { return closed_; }

    HWND Handle() const { return hwnd_; }

private:
    LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    static LRESULT OkButtonProc(HWND, UINT, WPARAM, LPARAM, void* data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Makes font and icon for the DPI, places the parts and returns the window's size.
    SIZE Layout(UINT dpi);
    void Paint();

    HWND owner_;
    HWND hwnd_ = nullptr;
    HWND image_ = nullptr;
    HWND message_ = nullptr;
    HWND ok_ = nullptr;
    std::unique_ptr<ui::Tooltip> tooltip_;
    HFONT font_ = nullptr;
    HICON icon_ = nullptr;
    bool ownIcon_ = false;  // loaded from the program, not shared
    int iconId_;
    std::wstring text_;
    std::wstring imageHint_;
    bool closed_ = false;
};

}  // namespace tw
