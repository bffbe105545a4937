#pragma once
// The About box's window: a modal box of the control layer with the program's icon (working as
// a link), the text and one OK button, laid out at the window's DPI in the system's message font.
#include <windows.h>

#include <string>

#include "platform/buttons.h"
#include "platform/form.h"
#include "platform/icon_image.h"

namespace tw {

class AboutDialog : public ui::Form {
public:
    // Control ids of the parts, in their order: the icon, the text, the OK button.
    static constexpr int ImageId = 100;
    static constexpr int MessageId = 101;
    static constexpr int OkId = IDOK;
    // The dialog behind one of its windows, or nullptr.
    static AboutDialog* FromHandle(HWND hwnd);

    // Created centred on its owner's monitor (with one monitor, on the screen). iconId names an
    // icon resource of the program; without one the system's application icon stands in.
    // imageHint is the icon's tool tip, shown while the application's hint switch is on.
    // ShowModal shows it; OK, Enter and Esc close it with IDOK.
    AboutDialog(HWND owner, const std::wstring& caption, const std::wstring& text, int iconId,
                const std::wstring& imageHint);

    // A click on the icon. The box stays open.
    ui::Event OnImageClick;

private:
    // Places the parts for the window's DPI and fits the box around them.
    void Layout();

    ui::IconImage image_;
    ui::Label message_;
    ui::Button ok_;
};

}  // namespace tw
