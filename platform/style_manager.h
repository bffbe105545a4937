#pragma once
// The style manager: the names of all known styles (the plain system look "Windows" first, then
// the embedded ones), the active style's name, and activation by name for the whole application.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "appearance/style.h"

namespace tw::ui {

class StyleManager {
public:
    using Loader = std::function<std::optional<appearance::Style>(std::wstring_view name)>;

    static StyleManager& Instance();

    // The embedded styles: their listed names and how to load one of them.
    void SetCatalogue(std::vector<std::wstring> names, Loader loader);

    // "Windows" first, then the embedded styles in catalogue order.
    std::vector<std::wstring> Names() const;
    // The listed name of the active style ("Windows" until another is activated).
    const std::wstring& ActiveName() const { return activeName_; }
    // Activates the style of a listed name, matched without regard to case, and redraws every
    // window of the application. Throws an Error for a name outside the catalogue or a style
    // that cannot be loaded; the look is then unchanged.
    void Activate(std::wstring_view name);

private:
    StyleManager() = default;
    std::vector<std::wstring> names_;
    Loader loader_;
    std::wstring activeName_{appearance::SystemStyleName};
};

}  // namespace tw::ui
