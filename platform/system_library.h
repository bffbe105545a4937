#pragma once
// A function of a system library that the program needs only now and then (caption colours in
// a style of its own), loaded from the system folder when first asked for: each library the
// program imports is loaded at every start, and under Wine that costs the start.
#include <windows.h>

namespace tw::ui {

// The function, or null when the library or the function is missing. The library stays loaded.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) return nullptr;
    // Through the generic function type, which any function pointer converts to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace tw::ui
