#pragma once
// A box for whole numbers within a range: a centred edit with compact spin buttons that also
// follows the mouse wheel.
#include <string>

#include "platform/control.h"

namespace tw::ui {

class NumberBox : public Control {
public:
    NumberBox(Container& parent, int minValue, int maxValue, int value);

    // The whole number shown, always within the range: while typing leaves the text empty or
    // out of range, the nearest value in range (the minimum for an empty text).
    int Value() const;
    // From code: clamped to the range; runs the change handler exactly when the value changed.
    void SetValue(int value);
    // From code, like SetValue: the text is shown as it is (full-width digits as ASCII) and the
    // change handler runs when the value it gives differs from the one shown before.
    void SetText(const std::wstring& text) override;
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    Event OnChange;

    void SetBounds(const RECT& bounds) override;
    int NaturalHeight() const override { return 21; }
    bool HandleCommand(WORD code) override;
    bool HandleNotify(NMHDR& header, LRESULT& result) override;
    HBRUSH HandleCtlColor(HDC dc) override;

protected:
    bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int Clamp(int value) const;
    // A step by the spin buttons or the wheel, as the user's change.
    void Step(int delta);
    void ShowText(const std::wstring& text);
    void FoldTypedDigits();
    void SyncSpin();
    void PaintSpin(HDC dc, const RECT& client);
    void PaintDisabledText(HDC dc, const RECT& client);
    void PaintEditFrame();

    HWND spin_ = nullptr;
    int min_;
    int max_;
    bool fromCode_ = false;
    int wheelRemainder_ = 0;
};

}  // namespace tw::ui
