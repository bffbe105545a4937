#include "platform/subclass.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace tw::ui {

namespace {

struct Layer {
    SubclassProc proc;
    void* data;
};

struct Chain {
    WNDPROC original;
    std::vector<Layer> layers;  // the newest first
};

// Windows belong to the thread that made them, and all of ours to the one user-interface thread.
std::unordered_map<HWND, Chain>& Chains() {
    static std::unordered_map<HWND, Chain> chains;
    return chains;
}

// The handler running now, innermost first: CallNextSubclass continues from it.
struct Frame {
    HWND hwnd;
    SubclassProc proc;
    size_t index;
    Frame* outer;
};
Frame* running = nullptr;

bool Running(HWND hwnd) {
    for (Frame* frame = running; frame; frame = frame->outer) {
        if (frame->hwnd == hwnd) return true;
    }
    return false;
}

LRESULT CALLBACK ChainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT CallFrom(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, size_t index) {
    auto it = Chains().find(hwnd);
    if (it == Chains().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    Chain& chain = it->second;
    if (index >= chain.layers.size()) {
        WNDPROC original = chain.original;
        if (message == WM_NCDESTROY) {
            // The window's last message: its handle may name another window later.
            if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ChainProc)) {
                SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            }
            Chains().erase(it);
        }
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    Layer layer = chain.layers[index];
    struct Enter {
        Frame frame;
        explicit Enter(Frame f) : frame(f) { running = &frame; }
        ~Enter() { running = frame.outer; }
    } enter(Frame{hwnd, layer.proc, index, running});
    return layer.proc(hwnd, message, wParam, lParam, layer.data);
}

LRESULT CALLBACK ChainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallFrom(hwnd, message, wParam, lParam, 0);
}

}  // namespace

void AddSubclass(HWND hwnd, SubclassProc proc, void* data) {
    if (!hwnd || !IsWindow(hwnd)) return;
    auto it = Chains().find(hwnd);
    if (it == Chains().end()) {
        auto original =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc)));
        it = Chains().emplace(hwnd, Chain{original, {}}).first;
    }
    auto& layers = it->second.layers;
    auto layer = std::find_if(layers.begin(), layers.end(), [&](const Layer& l) { return l.proc == proc; });
    if (layer != layers.end()) {
        layer->data = data;
    } else {
        layers.insert(layers.begin(), Layer{proc, data});
    }
}

void RemoveSubclass(HWND hwnd, SubclassProc proc) {
    auto it = Chains().find(hwnd);
    if (it == Chains().end()) return;
    auto& layers = it->second.layers;
    layers.erase(std::remove_if(layers.begin(), layers.end(), [&](const Layer& l) { return l.proc == proc; }),
                 layers.end());
    // With a handler still running on this window, or another subclass above the chain, the
    // chain stays in place and passes messages through until the window's last message.
    if (layers.empty() && !Running(hwnd) &&
        GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ChainProc)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.original));
        Chains().erase(it);
    }
}

void* SubclassData(HWND hwnd, SubclassProc proc) {
    auto it = Chains().find(hwnd);
    if (it == Chains().end()) return nullptr;
    for (const Layer& layer : it->second.layers) {
        if (layer.proc == proc) return layer.data;
    }
    return nullptr;
}

LRESULT CallNextSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    size_t next = 0;
    if (running && running->hwnd == hwnd) {
        // Handlers may have come or gone since the running one was called: continue after it,
        // or, if it has taken itself out, with the one now in its place.
        next = running->index;
        auto it = Chains().find(hwnd);
        if (it != Chains().end()) {
            auto& layers = it->second.layers;
            auto layer =
                std::find_if(layers.begin(), layers.end(), [&](const Layer& l) { return l.proc == running->proc; });
            if (layer != layers.end()) next = static_cast<size_t>(layer - layers.begin()) + 1;
        }
    }
    return CallFrom(hwnd, message, wParam, lParam, next);
}

}  // namespace tw::ui
