#include "shell/help_lookup.h"

#include "shell/path_parts.h"

namespace tw {

std::wstring HelpFileName(std::wstring_view programFile) { return ChangeExtension(FileNamePart(programFile), L".chm"); }

std::optional<std::wstring> FindHelpFile(std::wstring_view programFile, const FileExistsFunction& exists) {
    const std::wstring name = HelpFileName(programFile);
    std::wstring candidate = ChangeExtension(programFile, L".chm");
    while (!exists(candidate)) {
        std::wstring folder = ParentPath(candidate);
        if (folder.size() <= RootLength(candidate)) return std::nullopt;  // the root was the last place
        std::wstring parent = ParentPath(folder);
        candidate = parent.empty() ? name : WithTrailingSeparator(parent) + name;
    }
    return candidate;
}

}  // namespace tw
