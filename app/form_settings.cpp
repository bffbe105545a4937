// The settings file: read once at start into the controls, written back at every close.
#include <optional>

#include "app/tapwhile_form.h"
#include "history/hand_over.h"
#include "platform/style_manager.h"
#include "runtime/error.h"
#include "settings/ini_document.h"
#include "settings/ini_path.h"
#include "settings/settings_store.h"
#include "settings/value_codecs.h"

namespace tw {

namespace {

constexpr wchar_t kProgram[] = L"PROGRAM";
constexpr wchar_t kPosition[] = L"POSITION";
constexpr wchar_t kOption[] = L"OPTION";
constexpr wchar_t kData[] = L"DATA";

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The settings file's text, if there is a file. One too large ever to be read is set aside
// first, so that nothing of it is lost and the save that follows can write a new file.
std::optional<TextFile> ReadSettingsFile(const std::wstring& path) {
    if (std::optional<std::wstring> aside = SetAsideIfTooLarge(path)) {
        ui::Application::Instance().ShowError(L"設定ファイルが大きすぎて読み込めません: " + path +
                                              L"\r\n別の名前で残しました: " + *aside);
    }
    return ReadTextFileIfExists(path);
}

}  // namespace

std::wstring TTapwhileForm::IniFilePath() {
    return tw::IniFilePath(services_.paths.RoamingAppData(), services_.paths.ProgramFile());
}

bool TTapwhileForm::IsHandOverFile(const std::wstring& path) {
    return IsHandOverFilePath(path, services_.paths.TempFolder()) && FileExists(path);
}

std::wstring TTapwhileForm::LoadSettings(WINDOWPLACEMENT& placement) {
    std::wstring path = IniFilePath();
    if (!FileExists(path)) path = FileBesideProgram(services_.paths.ProgramFile());
    IniDocument ini;
    try {
        if (std::optional<TextFile> file = ReadSettingsFile(path)) ini = IniDocument::Parse(file->text);
    } catch (const Error& error) {
        // A file that cannot be read (locked, or a folder in its place) starts the utility
        // with the defaults; the user learns why.
        ui::Application::Instance().ShowError(error.Message());
    }
    auto integer = [&](const wchar_t* section, const wchar_t* key, std::int32_t fallback) {
        return ReadInt(ini.Get(section, key), fallback);
    };
    auto boolean = [&](const wchar_t* key, bool fallback) { return ReadBool(ini.Get(kOption, key), fallback); };
    const DateTime now = services_.clock.LocalNow();

    // Window placement; the window is still hidden, so it stays hidden and comes back normal.
    placement.flags = static_cast<UINT>(integer(kPosition, L"Flags", static_cast<std::int32_t>(placement.flags)));
    integer(kPosition, L"ShowCmd", static_cast<std::int32_t>(placement.showCmd));
    placement.ptMaxPosition.x = integer(kPosition, L"MaxX", placement.ptMaxPosition.x);
    placement.ptMaxPosition.y = integer(kPosition, L"MaxY", placement.ptMaxPosition.y);
    placement.rcNormalPosition.top = integer(kPosition, L"Top", GetSystemMetrics(SM_CYSCREEN) / 3);
    placement.rcNormalPosition.left = integer(kPosition, L"Left", GetSystemMetrics(SM_CXSCREEN) / 3);
    placement.rcNormalPosition.right = integer(kPosition, L"Right", 2 * placement.rcNormalPosition.left);
    placement.rcNormalPosition.bottom = integer(kPosition, L"Bottom", 2 * placement.rcNormalPosition.top);
    placement.showCmd = SW_HIDE;
    RestorePlacement(placement);
    ShowWindow(Handle(), SW_HIDE);

    // Options, each set as soon as it is read: a changed control runs its handler.
    CheckBoxCloseQuery.SetChecked(boolean(L"CloseQuery", false));
    CheckBoxSaveStatus.SetChecked(boolean(L"SaveStatus", true));
    CheckBoxTrayIcon.SetChecked(boolean(L"UseTrayIcon", false));
    keyPresser_.OnSwitch().SetChecked(boolean(L"SendKey", true));
    keyPresser_.IdleOnlySwitch().SetChecked(boolean(L"SendKeyUntouch", true));
    keyPresser_.MinutesBox().SetValue(integer(kOption, L"SendKeyWait", 1));
    reloader_.OnSwitch().SetChecked(boolean(L"SendReload", false));
    reloader_.IdleOnlySwitch().SetChecked(boolean(L"SendReloadUntouch", false));
    reloader_.MinutesBox().SetValue(integer(kOption, L"SendReloadWait", 5));
    SelectStoredKeyCode(ini.Get(kOption, L"SendKeyCode").value_or(L"9F"));
    CheckBoxNormalDistribution.SetChecked(boolean(L"NormalDistribution", true));
    NumberBoxDeviationRate.SetValue(integer(kOption, L"StandardDeviationRate", 10));

    // The hand-over of a self-restarting predecessor.
    handOverFile_ = ini.Get(kData, L"PrevLogFileName").value_or(L"");
    if (handOverFile_.empty()) {
        Pages.SetActivePageIndex(1);
    } else if (IsHandOverFile(handOverFile_)) {
        predecessorClose_ = ReadDateTime(ini.Get(kProgram, L"LastClose"), now, services_.format);
        attachTime_ = ReadDateTime(ini.Get(kData, L"AttachTime"), now, services_.format);
        keyPresser_.SetCount(integer(kData, L"Count1", 0));
        reloader_.SetCount(integer(kData, L"Count2", 0));
        Pages.SetActivePageIndex(integer(kData, L"PrevPage", 1));
    }

    std::wstring styleName = ini.Get(kOption, L"StyleName").value_or(L"");
    CheckBoxIdleOnForm.SetChecked(boolean(L"ShowUnUse", true));
    CheckBoxIdleOnTaskButton.SetChecked(boolean(L"TaskButton", true));
    NumberBoxIdleHold.SetValue(integer(kOption, L"HoldUnUse", 10));
    CheckBoxHint.SetChecked(boolean(L"ShowHint", false));
    return styleName;
}

void TTapwhileForm::SaveSettings() {
    // A destroyed window has no values left to save: writing would erase the user's.
    if (Closed() || !IsWindow(Handle())) return;
    const std::wstring program = services_.paths.ProgramFile();
    std::wstring path = IniFilePath();
    if (!EnsureFolder(FolderOf(path))) path = FileBesideProgram(program);
    TextFile file = ReadSettingsFile(path).value_or(TextFile{});
    IniDocument ini = IniDocument::Parse(file.text);
    try {
        FillSettings(ini, path);
    } catch (...) {
        // Whatever the document holds by then is still written; the first error is reported.
        try {
            WriteTextFileSafely(path, ini.Write(), file.encoding);
        } catch (...) {
        }
        throw;
    }
    WriteTextFileSafely(path, ini.Write(), file.encoding);
}

void TTapwhileForm::FillSettings(IniDocument& ini, const std::wstring& path) {
    const FormatSettings& fs = services_.format;
    const std::wstring program = services_.paths.ProgramFile();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(Handle(), &placement);
    ini.Set(kProgram, L"Name", ProgramFileName(program));
    ini.Set(kProgram, L"Path", ProgramFolder(program));
    ini.Set(kProgram, L"Version", AppVersion);
    ini.Set(kProgram, L"IniFile", path);
    ini.Set(kProgram, L"LastClose", WriteDateTime(services_.clock.LocalNow(), fs));

    if (CheckBoxSaveStatus.Checked()) {
        auto option = [&](const wchar_t* key, const std::wstring& value) { ini.Set(kOption, key, value); };
        ini.EraseSection(kPosition);
        int state = ui::Application::Instance().Minimized() || IsIconic(Handle()) ? 1 : IsZoomed(Handle()) ? 2 : 0;
        ini.Set(kPosition, L"Flags", WriteInt(static_cast<std::int32_t>(placement.flags)));
        ini.Set(kPosition, L"ShowCmd", WriteInt(static_cast<std::int32_t>(placement.showCmd)));
        ini.Set(kPosition, L"MaxX", WriteInt(placement.ptMaxPosition.x));
        ini.Set(kPosition, L"MaxY", WriteInt(placement.ptMaxPosition.y));
        ini.Set(kPosition, L"Left", WriteInt(placement.rcNormalPosition.left));
        ini.Set(kPosition, L"Top", WriteInt(placement.rcNormalPosition.top));
        ini.Set(kPosition, L"Right", WriteInt(placement.rcNormalPosition.right));
        ini.Set(kPosition, L"Bottom", WriteInt(placement.rcNormalPosition.bottom));
        ini.Set(kPosition, L"State", WriteInt(state));

        ini.EraseSection(kOption);
        option(L"CloseQuery", WriteBool(CheckBoxCloseQuery.Checked()));
        option(L"SaveStatus", WriteBool(CheckBoxSaveStatus.Checked()));
        option(L"UseTrayIcon", WriteBool(CheckBoxTrayIcon.Checked()));
        option(L"SendKey", WriteBool(keyPresser_.OnSwitch().Checked()));
        option(L"SendKeyUntouch", WriteBool(keyPresser_.IdleOnlySwitch().Checked()));
        option(L"SendKeyWait", WriteInt(keyPresser_.MinutesBox().Value()));
        option(L"SendKeyCode", StoredKeyCodeText());
        option(L"NormalDistribution", WriteBool(CheckBoxNormalDistribution.Checked()));
        option(L"StandardDeviationRate", WriteInt(NumberBoxDeviationRate.Value()));
        option(L"SendReload", WriteBool(reloader_.OnSwitch().Checked()));
        option(L"SendReloadUntouch", WriteBool(reloader_.IdleOnlySwitch().Checked()));
        option(L"SendReloadWait", WriteInt(reloader_.MinutesBox().Value()));

        ini.EraseSection(kData);
        if (!handOverFile_.empty()) {
            ini.Set(kData, L"PrevLogFileName", handOverFile_);
            ini.Set(kData, L"AttachTime", WriteDateTime(attachTime_, fs));
            ini.Set(kData, L"Count1", WriteInt(keyPresser_.Count()));
            ini.Set(kData, L"Count2", WriteInt(reloader_.Count()));
            ini.Set(kData, L"PrevPage", WriteInt(Pages.ActivePageIndex()));
            ini.Set(kData, L"SendKeyLastInput3", WriteTick(ownLastInput_));
            ini.Set(kData, L"HumanLastInput3", WriteTick(humanLastInput_));
        }

        option(L"StyleName", ActiveStyleName());
        option(L"ShowUnUse", WriteBool(CheckBoxIdleOnForm.Checked()));
        option(L"TaskButton", WriteBool(CheckBoxIdleOnTaskButton.Checked()));
        option(L"HoldUnUse", WriteInt(NumberBoxIdleHold.Value()));
        option(L"ShowHint", WriteBool(CheckBoxHint.Checked()));
    } else {
        ini.EraseSection(kPosition);
        ini.EraseSection(kOption);
        ini.EraseSection(kData);
    }
}

std::wstring TTapwhileForm::StoredKeyCodeText() const {
    // With no row selected (a stored code no row matched) the worker presses 9F: save that.
    int selected = KeyCodeList.ItemIndex();
    return selected >= 0 ? KeyCodeList.Item(selected).substr(0, 2) : L"9F";
}

std::wstring TTapwhileForm::ActiveStyleName() const { return ui::StyleManager::Instance().ActiveName(); }

}  // namespace tw
