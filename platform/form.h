#pragma once
// A top-level window owned by the application window: caption, client size at 96 dpi scaled to
// the window's DPI, the fonts its controls use, its tool tips, close query and showing events.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/tooltip.h"

namespace tw::ui {

class Form : public Container {
public:
    Form(int clientWidth96, int clientHeight96, const wchar_t* fontFace, int fontHeight96);
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

    // Shows or hides the window; the showing-changed event follows the change.
    void Show();
    void Hide();
    bool Showing() const { return IsWindowVisible(hwnd_) != FALSE; }
    void Repaint();
    // Asks the window to close: runs the close query and destroys the window when it allows.
    void Close();
    bool Closed() const { return closed_; }

    std::function<void(Object* sender, bool& canClose)> OnCloseQuery;
    Event OnResize;
    std::function<void()> OnShowingChanged;
    // Further messages of the window; return true when handled (with the result set).
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

    // The hints of the form's controls.
    ui::Tooltip& Hints() { return *hints_; }

    static void RegisterWindowClass();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void MakeFonts();
    void ResizeClient();
    void ChangeDpi(UINT dpi, const RECT& suggested);

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
};

}  // namespace tw::ui
