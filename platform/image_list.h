#pragma once
// A list of icon resources drawn at the size a control asks for (crisp at every DPI).
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace tw::ui {

class ImageList {
public:
    explicit ImageList(std::vector<int> iconIds) : iconIds_(std::move(iconIds)) {}
    int Count() const { return static_cast<int>(iconIds_.size()); }
    // A new icon of the image at the given pixel size; the caller destroys it. Null when missing.
    HICON LoadIcon(int index, int size) const;
    // Adds the image at the given pixel size to a system image list; false when it is missing.
    bool AddTo(HIMAGELIST list, int index, int size) const;

private:
    std::vector<int> iconIds_;
};

// An icon resource drawn at the size as a 32-bit bitmap with premultiplied alpha, as a menu
// item's picture wants it; the caller deletes it. Null when the icon is missing.
HBITMAP IconPicture(int iconId, int size);

}  // namespace tw::ui
