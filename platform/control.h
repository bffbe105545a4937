#pragma once
// The control layer's base: a Control wraps one Win32 window (or a small group of them) and
// receives the notifications its parent window gets about it. Containers lay out their children.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/window_handler.h"

namespace tw::ui {

class Form;
class Container;

// Anything that can be the sender of an event: controls, timers, menu items, the tray icon.
class Object {
public:
    virtual ~Object() = default;
};

using Event = std::function<void(Object* sender)>;

// Runs a handler at the boundary of an event dispatch: an exception that escapes it goes to the
// application's default error display and the message loop goes on.
void Guard(const std::function<void()>& handler) noexcept;

struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

enum class Align { None, Client, Top, Bottom };
enum class HAlign { Fill, Left, Right, Center };
enum class VAlign { Fill, Center };

// Where a control sits in its container. Sizes and margins are in pixels of the form's current
// DPI (the form rescales them when its DPI changes).
struct Placement {
    Align align = Align::None;
    int row = 0, col = 0, rowSpan = 1, colSpan = 1;
    HAlign hAlign = HAlign::Fill;
    VAlign vAlign = VAlign::Fill;
    Margins margins;
    int width = 0;   // used unless hAlign is Fill
    int height = 0;  // used unless vAlign is Fill (0: the control's natural height)
    void Rescale(int newDpi, int oldDpi);
};

class Control : public Object {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    ~Control() override;

    HWND Handle() const { return hwnd_; }
    Container* Parent() const { return parent_; }
    Form& OwnerForm() const { return *form_; }

    Placement placement;

    virtual void SetEnabled(bool enabled);
    bool Enabled() const;
    virtual void SetVisible(bool visible);
    bool Visible() const;

    // The hint text is kept even while the application's hint switch is off. It shows over
    // the control whether the control is enabled or not.
    void SetHint(const std::wstring& hint, bool showHint = true);
    const std::wstring& Hint() const { return hint_; }
    bool ShowHint() const { return showHint_; }

    void SetHandCursor(bool hand);
    // The control's id among its parent's children, as GetDlgItem finds it.
    void SetId(int id);

    virtual std::wstring Text() const;
    virtual void SetText(const std::wstring& text);

    RECT BoundsRect() const;  // in the parent's client coordinates
    int Width() const;
    int Height() const;
    int ClientWidth() const;
    int ClientHeight() const;

    // Moves the control to a rectangle in its parent's client coordinates.
    virtual void SetBounds(const RECT& bounds);
    // Height in pixels at 96 dpi when not stretched by its cell; 0 means "fill".
    virtual int NaturalHeight() const { return 0; }

    // Notifications that the parent window received for this control.
    virtual bool HandleCommand(WORD /*code*/) { return false; }
    virtual bool HandleNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool HandleDrawItem(DRAWITEMSTRUCT& /*item*/) { return false; }
    // Background for WM_CTLCOLOR*: nullptr lets the parent choose.
    virtual HBRUSH HandleCtlColor(HDC /*dc*/) { return nullptr; }
    // Called after the form's DPI changed from oldDpi: fonts, item heights, placement.
    virtual void ApplyDpi(int oldDpi);

    static Control* FromHandle(HWND hwnd);

protected:
    Control(Container* parent, Form* form);
    // Adopts a created window: routes its parent's notifications here, subclasses it for the
    // hand cursor and wheel/keyboard extras, and gives it the form's font.
    void Attach(HWND hwnd);
    // Extra windows that belong to this control (the spin buttons of a number box).
    void AttachPart(HWND hwnd);
    // Subclass hook: return true when the message was handled.
    virtual bool FilterMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    HWND ParentHandle() const;
    int Scale(int pixelsAt96) const;

    HWND hwnd_ = nullptr;
    std::vector<HWND> parts_;

private:
    static LRESULT SubclassProc(HWND, UINT, WPARAM, LPARAM, void* data);
    // The parent's area under the control carries its hint, for the time it is disabled.
    void UpdateHintArea();
    Container* parent_;
    Form* form_;
    std::wstring hint_;
    bool showHint_ = true;
};

// A control that hosts other controls and routes their notifications.
class Container : public Control, public WindowHandler {
public:
    ~Container() override;
    const std::vector<Control*>& Children() const { return children_; }
    void AddChild(Control* child) { children_.push_back(child); }
    // Lays the children out in the client area.
    virtual void Realign();
    void ApplyDpi(int oldDpi) override;
    int padding = 0;  // inner spacing in pixels

    static const wchar_t* WindowClassName();
    static void RegisterWindowClass();

protected:
    Container(Container* parent, Form* form);
    // Creates the container window itself as a child of the parent.
    void CreatePanelWindow();
    // Lays out the children with Align Top/Bottom/Client inside the rectangle.
    void AlignChildren(RECT area);
    RECT InnerRect() const;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Routes a child notification; true when a control took it.
    bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    std::vector<Control*> children_;
};

// The one colour of window and panel backgrounds, in one place so a visual style can replace it.
HBRUSH BackgroundBrush();
COLORREF BackgroundColor();

}  // namespace tw::ui
