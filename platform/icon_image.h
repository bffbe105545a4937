#pragma once
// An icon of the program shown at the system's icon size for the form's DPI, that can be clicked.
#include <windows.h>

#include "platform/control.h"

namespace tw::ui {

class IconImage : public Control {
public:
    // iconId names an icon resource of the program; without one the system's application icon
    // stands in.
    IconImage(Container& parent, int iconId);
    ~IconImage() override;

    // The icon's width and height in pixels.
    int IconSize() const;
    Event OnClick;

    bool HandleCommand(WORD code) override;
    void ApplyDpi(int oldDpi) override;

private:
    void LoadIcon();
    int iconId_;
    HICON icon_ = nullptr;
    bool ownIcon_ = false;  // loaded from the program, not shared
};

}  // namespace tw::ui
