#include "shell/shell_launch_win.h"

#include "platform/text.h"
#include "shell/shell_messages.h"

namespace tw {
namespace {

// ShellExecuteW's result: above 32 on success, else a code of 0 to 32.
bool Launched(INT_PTR result) { return result > 32; }

}  // namespace

void OpenDocument(Shell& shell, Dialogs& dialogs, const std::wstring& target) {
    INT_PTR result = shell.Execute(nullptr, L"open", target, L"", L"", SW_SHOWNORMAL);
    if (Launched(result)) return;
    dialogs.PlainMessage(OpenFailedText(result, SystemErrorText(static_cast<DWORD>(result)), target));
}

void OpenWithProgram(Shell& shell, Dialogs& dialogs, const std::wstring& program, const std::wstring& parameter) {
    INT_PTR result = shell.Execute(nullptr, L"open", program, parameter, L"", SW_SHOWNORMAL);
    if (Launched(result)) return;
    dialogs.PlainMessage(OpenByFailedText(result, SystemErrorText(static_cast<DWORD>(result)), program, parameter));
}

}  // namespace tw
