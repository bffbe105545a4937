#include "platform/image_list.h"

#include "platform/application.h"

namespace tw::ui {

HICON ImageList::LoadIcon(int index, int size) const {
    if (index < 0 || index >= Count()) return nullptr;
    // The icon group holds several drawn sizes; the system picks the closest one.
    return static_cast<HICON>(LoadImageW(Application::Instance().InstanceHandle(),
                                         MAKEINTRESOURCEW(iconIds_[static_cast<size_t>(index)]), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

}  // namespace tw::ui
