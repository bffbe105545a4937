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
    CheckBoxCloseQuery1.SetChecked(boolean(L"CloseQuery", false));
    CheckBoxSaveStatus1.SetChecked(boolean(L"SaveStatus", true));
    CheckBoxTrayIcon1.SetChecked(boolean(L"UseTrayIcon", false));
    CheckBoxSendKey.SetChecked(boolean(L"SendKey", true));
    CheckBoxSendKeyUntouch.SetChecked(boolean(L"SendKeyUntouch", true));
    NumberBox1.SetValue(integer(kOption, L"SendKeyWait", 1));
    CheckBoxSendReload.SetChecked(boolean(L"SendReload", false));
    CheckBoxSendReloadUntouch.SetChecked(boolean(L"SendReloadUntouch", false));
    NumberBox2.SetValue(integer(kOption, L"SendReloadWait", 5));
    SelectStoredKeyCode(ini.Get(kOption, L"SendKeyCode").value_or(L"9F"));
    CheckBoxNormalDistribution.SetChecked(boolean(L"NormalDistribution", true));
    NumberBox3.SetValue(integer(kOption, L"StandardDeviationRate", 10));

    // The hand-over of a self-restarting predecessor.
    PrevLogFileName1 = ini.Get(kData, L"PrevLogFileName").value_or(L"");
    if (PrevLogFileName1.empty()) {
        PageControl1.SetActivePageIndex(1);
    } else if (IsHandOverFile(PrevLogFileName1)) {
        LastClose1 = ReadDateTime(ini.Get(kProgram, L"LastClose"), now, services_.format);
        AttachTime0 = ReadDateTime(ini.Get(kData, L"AttachTime"), now, services_.format);
        Count1 = integer(kData, L"Count1", 0);
        Count2 = integer(kData, L"Count2", 0);
        PageControl1.SetActivePageIndex(integer(kData, L"PrevPage", 1));
    }

    std::wstring styleName = ini.Get(kOption, L"StyleName").value_or(L"");
    CheckBoxFormRB1.SetChecked(boolean(L"ShowUnUse", true));
    CheckBoxTaskButton1.SetChecked(boolean(L"TaskButton", true));
    NumberBox4.SetValue(integer(kOption, L"HoldUnUse", 10));
    CheckBoxHint1.SetChecked(boolean(L"ShowHint", false));
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

    if (CheckBoxSaveStatus1.Checked()) {
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
        option(L"CloseQuery", WriteBool(CheckBoxCloseQuery1.Checked()));
        option(L"SaveStatus", WriteBool(CheckBoxSaveStatus1.Checked()));
        option(L"UseTrayIcon", WriteBool(CheckBoxTrayIcon1.Checked()));
        option(L"SendKey", WriteBool(CheckBoxSendKey.Checked()));
        option(L"SendKeyUntouch", WriteBool(CheckBoxSendKeyUntouch.Checked()));
        option(L"SendKeyWait", WriteInt(NumberBox1.Value()));
        option(L"SendKeyCode", StoredKeyCodeText());
        option(L"NormalDistribution", WriteBool(CheckBoxNormalDistribution.Checked()));
        option(L"StandardDeviationRate", WriteInt(NumberBox3.Value()));
        option(L"SendReload", WriteBool(CheckBoxSendReload.Checked()));
        option(L"SendReloadUntouch", WriteBool(CheckBoxSendReloadUntouch.Checked()));
        option(L"SendReloadWait", WriteInt(NumberBox2.Value()));

        ini.EraseSection(kData);
        if (!PrevLogFileName1.empty()) {
            ini.Set(kData, L"PrevLogFileName", PrevLogFileName1);
            ini.Set(kData, L"AttachTime", WriteDateTime(AttachTime0, fs));
            ini.Set(kData, L"Count1", WriteInt(Count1));
            ini.Set(kData, L"Count2", WriteInt(Count2));
            ini.Set(kData, L"PrevPage", WriteInt(PageControl1.ActivePageIndex()));
            ini.Set(kData, L"SendKeyLastInput3", WriteTick(SendKeyLastInput3));
            ini.Set(kData, L"HumanLastInput3", WriteTick(HumanLastInput3));
        }

        option(L"StyleName", ActiveStyleName());
        option(L"ShowUnUse", WriteBool(CheckBoxFormRB1.Checked()));
        option(L"TaskButton", WriteBool(CheckBoxTaskButton1.Checked()));
        option(L"HoldUnUse", WriteInt(NumberBox4.Value()));
        option(L"ShowHint", WriteBool(CheckBoxHint1.Checked()));
    } else {
        ini.EraseSection(kPosition);
        ini.EraseSection(kOption);
        ini.EraseSection(kData);
    }
}

std::wstring TTapwhileForm::StoredKeyCodeText() const {
    // With no row selected (a stored code no row matched) the worker presses 9F: save that.
    int selected = CheckListBox1.ItemIndex();
    return selected >= 0 ? CheckListBox1.Item(selected).substr(0, 2) : L"9F";
}

std::wstring TTapwhileForm::ActiveStyleName() const { return ui::StyleManager::Instance().ActiveName(); }

}  // namespace tw
