// Shell integration of the main window: shortcuts in the special folders, the help file, the
// maker's web pages and the program file's property sheet.
#include <shlobj.h>

#include "app/tapwhile_form.h"
#include "platform/text.h"
#include "shell/help_lookup.h"
#include "shell/path_parts.h"
#include "shell/shell_launch_win.h"
#include "shell/shell_messages.h"
#include "shell/shortcut_rules.h"
#include "shell/shortcut_win.h"

namespace tw {

void TTapwhileForm::DeskTopClick(ui::Object*) {
    RegisterShortcut(CSIDL_DESKTOP, L"デスクトップ", services_.paths.ProgramFile());
}

void TTapwhileForm::StartMenuClick(ui::Object*) {
    RegisterShortcut(CSIDL_PROGRAMS, L"スタートメニューのプログラム", services_.paths.ProgramFile());
}

void TTapwhileForm::StartUpClick(ui::Object*) {
    RegisterShortcut(CSIDL_STARTUP, L"スタートアップ", services_.paths.ProgramFile());
}

void TTapwhileForm::RegisterShortcut(int folderId, const std::wstring& folderWord, const std::wstring& target) {
    // The idle display may have put the idle time into the title that captions the questions.
    ui::Application& app = ui::Application::Instance();
    app.SetTitle(AppTitle);
    Dialogs& dialogs = services_.dialogs;
    const std::wstring folder = SpecialFolderPath(folderId, app.Handle());
    if (folder.empty()) {
        dialogs.PlainMessage(FolderNotFoundText(folderWord));
        return;
    }
    const std::wstring linkPath = ShortcutPath(folder, AppTitle);
    const std::wstring name = FileNamePart(linkPath);
    auto saveLink = [&] {
        const std::wstring description = ShortcutDescription(services_.clock.LocalNow(), services_.paths.ProgramFile(),
                                                             AppVersion, services_.format);
        return SaveShortcut(linkPath, target, services_.paths.TempFolder(), description);
    };
    auto systemText = [](HRESULT hr) { return SystemErrorText(static_cast<DWORD>(hr)); };

    if (FileExists(linkPath)) {
        switch (dialogs.QuestionBox(AskUpdateShortcutText(folderWord, name), MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES: {
                HRESULT hr = saveLink();
                dialogs.PlainMessage(hr == S_OK ? ShortcutUpdatedText(folderWord, name)
                                                : ShortcutUpdateFailedText(folderWord, name, hr, systemText(hr)));
                break;
            }
            case IDNO:
                dialogs.PlainMessage(ShellDeleteFile(dialogs, linkPath, app.Handle(), [&app] { app.ProcessMessages(); })
                                         ? ShortcutDeletedText(folderWord, name)
                                         : ShortcutDeleteFailedText(folderWord, name));
                break;
            default:  // Cancel, or the box was closed: nothing changes
                return;
        }
    } else {
        HRESULT hr = saveLink();
        dialogs.PlainMessage(hr == S_OK ? ShortcutCreatedText(folderWord, name)
                                        : ShortcutCreateFailedText(folderWord, name, hr, systemText(hr)));
    }

    if (dialogs.QuestionBox(AskOpenFolderText(folderWord), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (FileExists(linkPath))
        OpenWithProgram(services_.shell, dialogs, L"explorer.exe", ExplorerSelectParameter(linkPath));
    else
        OpenDocument(services_.shell, dialogs, ParentPath(linkPath));
}

void TTapwhileForm::ShowFileProperties(const std::wstring& fileName) {
    if (!services_.shell.ShowProperties(Handle(), fileName))
        services_.dialogs.PlainMessage(PropertiesFailedText(fileName));
}

void TTapwhileForm::HelpClick(ui::Object*) {
    const std::wstring programFile = services_.paths.ProgramFile();
    const std::optional<std::wstring> helpFile = FindHelpFile(programFile, FileExists);
    if (!helpFile) {
        services_.dialogs.PlainMessage(HelpFileNotFoundText(HelpFileName(programFile)));
        return;
    }
    OpenDocument(services_.shell, services_.dialogs, Quoted(*helpFile));
}

void TTapwhileForm::PropertiesClick(ui::Object*) { ShowFileProperties(services_.paths.ProgramFile()); }

void TTapwhileForm::DonationClick(ui::Object*) { OpenDocument(services_.shell, services_.dialogs, AppDonationUrl); }

void TTapwhileForm::SiteClick(ui::Object*) { OpenDocument(services_.shell, services_.dialogs, AppHomeUrl); }

}  // namespace tw
