#pragma once
// Push buttons with an image, check boxes and labels.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/control.h"
#include "platform/image_list.h"

namespace tw::ui {

class Button : public Control {
public:
    Button(Container& parent, const std::wstring& caption);
    void SetImage(const ImageList& images, int index);
    // Runs the click handler as a user's click does.
    void Click();
    Event OnClick;

    bool HandleCommand(WORD code) override;
    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    void ApplyDpi(int oldDpi) override;

protected:
    // A loop that does not treat the form as a dialog (the clock's message pump, for one) hands
    // Enter and Esc to the button with the focus: they go to the form's default and cancel buttons.
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateImage();
    const ImageList* images_ = nullptr;
    int imageIndex_ = -1;
    HIMAGELIST imageList_ = nullptr;
};

class CheckBox : public Control {
public:
    CheckBox(Container& parent, const std::wstring& caption, bool checked);
    bool Checked() const;
    // A change from code runs the click handler exactly when the state changes.
    void SetChecked(bool checked);
    Event OnClick;

    bool HandleCommand(WORD code) override;
    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    int NaturalHeight() const override { return 17; }
};

class Label : public Control {
public:
    enum class Alignment { Left, Right };
    // One line, centred vertically and cut with an ellipsis; or lines broken at CR LF and
    // wrapped at words, from the top.
    enum class Lines { One, Wrapped };
    Label(Container& parent, const std::wstring& caption, Alignment alignment = Alignment::Left,
          Lines lines = Lines::One);
    int NaturalHeight() const override { return 15; }
    // The room the text takes in the label's font when no line is wider than maxWidth.
    SIZE TextExtent(int maxWidth) const;

protected:
    // In a style of our own the label draws itself, its disabled text included.
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintText(HDC dc, const RECT& client) const;
    // The flags the static control draws its text with, so that measuring matches drawing.
    UINT DrawFlags() const;
    Lines lines_;
};

}  // namespace tw::ui
