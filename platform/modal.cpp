#include "platform/modal.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/application.h"
#include "platform/message_box_style.h"

namespace tw::ui {

namespace {

int& OpenScopes() {
    static int open = 0;
    return open;
}

struct Collect {
    const std::initializer_list<HWND>* spared;
    std::vector<HWND>* disabled;
};

// Tool tips take no input of their own and go on showing the box's hints; the input method's
// windows serve the box as well.
bool IsHelper(HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    for (const wchar_t* helper : {TOOLTIPS_CLASSW, L"IME", L"MSCTFIME UI"}) {
        if (lstrcmpiW(name, helper) == 0) return true;
    }
    return false;
}

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM data) {
    auto& collect = *reinterpret_cast<Collect*>(data);
    if (std::find(collect.spared->begin(), collect.spared->end(), hwnd) != collect.spared->end()) return TRUE;
    if (!IsWindowEnabled(hwnd) || IsHelper(hwnd)) return TRUE;
    EnableWindow(hwnd, FALSE);
    collect.disabled->push_back(hwnd);
    return TRUE;
}

}  // namespace

ModalScope::ModalScope(std::initializer_list<HWND> spared) {
    Collect collect{&spared, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&collect));
    ++OpenScopes();
}

ModalScope::~ModalScope() {
    --OpenScopes();
    // In reverse: the windows come back in the order they had.
    for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it) {
        if (IsWindow(*it)) EnableWindow(*it, TRUE);
    }
}

bool ModalScope::Active() { return OpenScopes() > 0; }

HWND ModalScope::Box() {
    if (!Active()) return nullptr;
    HWND box = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) || IsHelper(hwnd)) return TRUE;
            *reinterpret_cast<HWND*>(found) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    return box;
}

void RunModalLoop(HWND box, const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        if (IsWindow(box) && IsDialogMessageW(box, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    HWND owner = Application::Instance().ActiveOwner();
    ModalScope scope({owner});
    MessageBoxStyleScope style;  // the box in the active style
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace tw::ui
