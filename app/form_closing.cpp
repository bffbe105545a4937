// Closing: the close question, the end of the Windows session, and the self-restart that hands
// the history to a new instance when injected input stops registering.
#include "app/tapwhile_form.h"
#include "platform/text.h"
#include "runtime/error.h"
#include "settings/settings_store.h"
#include "settings/text_encoding.h"

namespace tw {

void TTapwhileForm::FormCloseQuery(ui::Object*, bool& CanClose) {
    if (endingSession_) {
        endingSession_ = false;
    } else if (CheckBoxCloseQuery.Checked()) {
        if (services_.dialogs.QuestionBox(L"終了してもよいですか？", MB_YESNO | MB_ICONQUESTION) == IDNO) {
            CanClose = false;
            return;
        }
    }
    SaveSettings();
}

void TTapwhileForm::ExitClick(ui::Object*) { Close(); }

bool TTapwhileForm::WMQueryEndSession(LRESULT& result) {
    endingSession_ = true;
    bool canClose = true;
    try {
        FormCloseQuery(this, canClose);
    } catch (const Error& error) {
        // The save failed: the user is told, and the session is asked to wait.
        ui::Application::Instance().ShowError(error.Message());
        canClose = false;
    }
    result = canClose ? 1 : 0;
    return true;
}

void TTapwhileForm::SelfRestart() {
    CheckBoxSaveStatus.SetChecked(true);
    bool canClose = true;
    endingSession_ = true;

    std::wstring temp = services_.paths.TempFolder();
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(temp.c_str(), L"tmp", 0, name) == 0) {
        DWORD code = GetLastError();
        endingSession_ = false;  // no restart: the next close is the user's again
        throw Error(L"GetTempFileName Failed " + std::to_wstring(code) + L"\r\n" + SystemErrorText(code) + L"\r\n" +
                    temp);
    }
    handOverFile_ = name;

    std::vector<std::wstring> lines;
    for (std::wstring_view line : HistoryMemo.Lines()) lines.emplace_back(line);
    std::exception_ptr writeFailed;
    try {
        WriteTextFilePlain(handOverFile_, LinesEachEndedWithCrLf(lines), TextEncoding::Ansi);
    } catch (...) {
        writeFailed = std::current_exception();
    }
    FormCloseQuery(this, canClose);
    if (writeFailed) std::rethrow_exception(writeFailed);

    const std::wstring program = services_.paths.ProgramFile();
    // Without the zone check: a copy unpacked from a download would otherwise wait for the
    // user's consent to its own restart, after this instance has already closed.
    INT_PTR started = services_.shell.Execute(nullptr, L"open", program, L"", L"", SW_SHOWNORMAL, ZoneCheck::Skip);
    if (started <= 32) {
        services_.dialogs.PlainMessage(L"Self Restart Failed " + std::to_wstring(started) + L"\r\n" +
                                       SystemErrorText(static_cast<DWORD>(started)) + L"\r\n" + program);
    }
    services_.shell.Terminate();
}

}  // namespace tw
