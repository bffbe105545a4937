#include "platform/style_manager.h"

#include <windows.h>

#include "platform/style_engine.h"
#include "platform/text.h"
#include "runtime/error.h"

namespace tw::ui {

StyleManager& StyleManager::Instance() {
    static StyleManager manager;
    return manager;
}

void StyleManager::SetCatalogue(std::vector<std::wstring> names, Loader loader) {
    names_ = std::move(names);
    loader_ = std::move(loader);
}

std::vector<std::wstring> StyleManager::Names() const {
    std::vector<std::wstring> names{std::wstring(appearance::SystemStyleName)};
    names.insert(names.end(), names_.begin(), names_.end());
    return names;
}

void StyleManager::Activate(std::wstring_view name) {
    // The system look is never a style file, whatever the catalogue holds.
    if (SameTextIgnoringCase(name, appearance::SystemStyleName)) {
        StyleEngine::Instance().Activate(std::nullopt);
        activeName_ = appearance::SystemStyleName;
        return;
    }
    for (const std::wstring& listed : names_) {
        if (!SameTextIgnoringCase(listed, name)) continue;
        std::optional<appearance::Style> style = loader_ ? loader_(listed) : std::nullopt;
        if (!style) throw Error(L"スタイル \"" + listed + L"\" を読み込めません");
        style->name = listed;
        StyleEngine::Instance().Activate(std::move(style));
        activeName_ = listed;
        return;
    }
    throw Error(L"スタイル \"" + std::wstring(name) + L"\" はありません");
}

}  // namespace tw::ui
