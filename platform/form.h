#pragma once
// A top-level window: the main window, owned by the application window, with a client size at
// 96 dpi scaled to the window's DPI; or a box owned by another window and shown modally. Its
// caption, the fonts its controls use, its tool tips, close query and showing events.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/tooltip.h"

namespace tw::ui {

class Button;

class Form : public Container {
public:
    Form(int clientWidth96, int clientHeight96, const wchar_t* fontFace, int fontHeight96);
    // A box owned by another window: a tool window's caption without title-bar buttons, not
    // sizeable, in the system's message font. Created at a point of the screen, so that it takes
    // the DPI of the monitor there; its size follows its content (SetClientSize).
    Form(HWND owner, POINT createdAt);
    ~Form() override;

    void SetCaption(const std::wstring& caption) { SetText(caption); }
    std::wstring Caption() const { return Text(); }

    UINT Dpi() const { return dpi_; }
    int ScaleValue(int pixelsAt96) const { return MulDiv(pixelsAt96, static_cast<int>(dpi_), 96); }
    HFONT Font() const { return font_; }
    // A further font of this form, made for its DPI (the memos use their own face).
    HFONT FontFor(const std::wstring& face, int height96);

    // Applies a placement with SetWindowPlacement. Its rectangle was measured on the monitor it
    // lies on, so it stands also when the window takes that monitor's DPI on the way there.
    void RestorePlacement(const WINDOWPLACEMENT& placement);
    // The client area's size in pixels at the window's DPI; the window keeps its top-left corner.
    void SetClientSize(int width, int height);

    // Shows or hides the window; the showing-changed event follows the change.
    void Show();
    void Hide();
    bool Showing() const { return IsWindowVisible(hwnd_) != FALSE; }
    void Repaint();
    // Asks the window to close: runs the close query and destroys the window when it allows.
    void Close();
    bool Closed() const { return closed_; }

    // Shows the form as a modal box: no other window of the program takes input, and this
    // thread's messages (the timers' too) are handled until EndModal or a close, then the window
    // goes (a form shows modally once). Returns the result EndModal gave; a close gives IDCANCEL.
    int ShowModal();
    void EndModal(int result);
    // Enter presses the default button, which takes the focus whenever the form becomes active;
    // Esc and the close request press the cancel button. They may be the same button.
    void SetDefaultButton(Button& button);
    void SetCancelButton(Button& button);
    // Enter or Esc pressed where the loop does not treat the form as a dialog; true when taken.
    bool HandleDialogKey(WPARAM key);

    // Paints the whole client area at every repaint, in place of the plain background; the
    // form's static controls show it through, their text in textColor.
    void SetBackgroundPainter(std::function<void(HDC dc, const RECT& client)> painter, COLORREF textColor);
    bool PaintsBackground() const { return static_cast<bool>(painter_); }

    std::function<void(Object* sender, bool& canClose)> OnCloseQuery;
    Event OnResize;
    std::function<void()> OnShowingChanged;
    // Further messages of the window; return true when handled (with the result set).
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

    // The hints of the form's controls.
    ui::Tooltip& Hints() { return *hints_; }

    static void RegisterWindowClass();
    static const wchar_t* WindowClassName();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void MakeFonts();
    void ResizeClient();
    void Create(HWND owner, DWORD style, DWORD exStyle, POINT createdAt);
    void ChangeDpi(UINT dpi, const RECT& suggested);
    void PaintBackground();

    UINT dpi_ = 96;
    int clientWidth96_;
    int clientHeight96_;
    std::wstring fontFace_;
    int fontHeight96_;
    HFONT font_ = nullptr;
    std::map<std::pair<std::wstring, int>, HFONT> extraFonts_;
    std::unique_ptr<ui::Tooltip> hints_;
    bool closed_ = false;
    bool closing_ = false;  // the close query is running
    bool shownBefore_ = false;
    bool restoringPlacement_ = false;
    bool showingModal_ = false;
    int modalResult_ = 0;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    std::function<void(HDC dc, const RECT& client)> painter_;
    COLORREF paintedTextColor_ = 0;
};

}  // namespace tw::ui
