#include "app/tapwhile_form.h"

#include <algorithm>
#include <utility>

#include "app/resource_ids.h"
#include "appearance/layout_formulas.h"
#include "engine/idle_monitor.h"
#include "engine/key_code_table.h"
#include "engine/workers.h"
#include "runtime/error.h"
#include "runtime/pattern_format.h"
#include "settings/settings_store.h"
#include "settings/text_encoding.h"
#include "platform/style_manager.h"

namespace tw {

using ui::HAlign;
using ui::Share;
using ui::VAlign;

namespace {

std::vector<Share> Equal(int count) { return std::vector<Share>(static_cast<size_t>(count), Share::Percent(1)); }

// Places a control in a grid cell.
void Cell(ui::Control& control, int row, int col, int colSpan = 1) {
    control.placement.row = row;
    control.placement.col = col;
    control.placement.colSpan = colSpan;
}

void Fill(ui::Control& control) { control.placement.align = ui::Align::Client; }

// Design pixels (96 dpi) in the form's pixels.
int Px(ui::Control& control, int pixelsAt96) { return control.OwnerForm().ScaleValue(pixelsAt96); }

void Margins(ui::Control& control, int left, int top, int right, int bottom) {
    control.placement.margins = {Px(control, left), Px(control, top), Px(control, right), Px(control, bottom)};
}

void Margins(ui::Control& control, int all) { Margins(control, all, all, all, all); }

// A number box keeps its natural height, centred in its cell, aligned to the cell's left edge.
void LeftBox(ui::Control& control, int width) {
    control.placement.hAlign = HAlign::Left;
    control.placement.width = Px(control, width);
    control.placement.vAlign = VAlign::Center;
    Margins(control, 2, 0, 0, 0);
}

// Buttons that show a list's images in order, each with its hint.
void ImageButtons(const ui::ImageList& images, std::initializer_list<std::pair<ui::Button*, const wchar_t*>> buttons) {
    int index = 0;
    for (const auto& [button, hint] : buttons) {
        button->SetImage(images, index++);
        button->SetHint(hint);
    }
}

}  // namespace

TTapwhileForm::TTapwhileForm(FormServices services)
    : ui::Form(378, 217, L"Meiryo UI", 11),
      services_(std::move(services)),
      ShortcutImages({IDI_BTN_DESKTOP, IDI_BTN_STARTMENU, IDI_BTN_STARTUP}),
      HelpImages({IDI_BTN_HELP, IDI_BTN_ABOUT, IDI_BTN_PROPERTIES, IDI_BTN_DONATION, IDI_BTN_HOMESITE}),
      StatusPanels(*this, 4, 100),
      Pages(*this),
      FilePage(Pages, L"ファイル"),
      GridPanelFile(FilePage, Equal(3), Equal(1)),
      GroupBoxShortcut(GridPanelFile, L"ショートカット登録"),
      GridPanelShortcut(GroupBoxShortcut, Equal(1), Equal(3)),
      ButtonDeskTop(GridPanelShortcut, L"デスクトップ"),
      ButtonStartMenu(GridPanelShortcut, L"スタートメニュー"),
      ButtonStartUp(GridPanelShortcut, L"スタートアップ"),
      GroupBoxClosing(GridPanelFile, L"最小化・終了時"),
      GridPanelClosing(GroupBoxClosing, Equal(1), Equal(3)),
      CheckBoxTrayIcon(GridPanelClosing, L"最小化は タスクトレイへ", false),
      CheckBoxCloseQuery(GridPanelClosing, L"終了時に確認", false),
      CheckBoxSaveStatus(GridPanelClosing, L"終了時の状態を保存", true),
      GroupBoxIdle(GridPanelFile, L"無操作時間"),
      GridPanelIdle(GroupBoxIdle, Equal(2), Equal(3)),
      CheckBoxIdleOnForm(GridPanelIdle, L"フォーム右下に表示", true),
      CheckBoxIdleOnTaskButton(GridPanelIdle, L"タスクボタンにも表示", false),
      LabelIdleHold(GridPanelIdle, L"残留(秒)", ui::Label::Alignment::Right),
      NumberBoxIdleHold(GridPanelIdle, 1, 30, 10),
      View(Pages, L"表 示"),
      GridPanelView(View, Equal(1), {Share::Percent(60.8), Share::Percent(39.2)}),
      GridPanelSendKey(GridPanelView, Equal(4), Equal(3)),
      keyPresser_(GridPanelSendKey,
                  {L"設定したコードで、キーを押したことにする", L"Send KeyCode", L"11 回め、2011/11/11 01:10",
                   L"SendKey time start", L"SendKey time stop", L"dw=", L"LH1=", L",Diff1=", L",Interval1=",
                   L"Diff1 > Interval1, not operated, go work1"},
                  true, 991, {services_.input, services_.clock, services_.format, StatusPanels, 1, *this}),
      CheckBoxNormalDistribution(GridPanelSendKey, L"正規分布", true),
      LabelDeviationRate(GridPanelSendKey, L"標準偏差率(%)"),
      NumberBoxDeviationRate(GridPanelSendKey, 0, 50, 1),
      GridPanelReload(GridPanelView, Equal(4), Equal(2)),
      reloader_(GridPanelReload,
                {L"ブラウザが最前面だったら、「更新」キーを押す　", L"[F5] for Blowser", L"2 回め、2011/11/11 01:09",
                 L"SendReload Time start", L"SendReload Time stop", L"dwTime=", L"LH2=", L",Diff2=", L",Interval2=",
                 L"Diff2 > Interval2, not operated, go work2"},
                false, 983, {services_.input, services_.clock, services_.format, StatusPanels, 2, *this}),
      KeyCode(Pages, L"設 定"),
      KeyCodeList(KeyCode, 17),
      Log(Pages, L"履 歴"),
      HistoryMemo(Log, L"Tahoma", 11),
      Summary(Pages, L"集 計"),
      SummaryMemo(Summary, L"Tahoma", 11),
      Style(Pages, L"スタイル"),
      StyleList(Style, 14),
      Help(Pages, L"ヘルプ"),
      GridPanelHelp(Help, Equal(2), {Share::Percent(1), Share::Percent(1), Share::Percent(1), Share::Auto()}),
      ButtonHelp(GridPanelHelp, L"ヘルプ"),
      ButtonAbout(GridPanelHelp, L"バージョン情報"),
      ButtonProperties(GridPanelHelp, L"プロパティ表示"),
      ButtonDonation(GridPanelHelp, L"開発支援"),
      ButtonHomeSite(GridPanelHelp, L"ホームサイト"),
      CheckBoxHint(GridPanelHelp, L"Show Item Hint", false),
      // The clock lets pending messages run inside its tick: a box opened there must not stop it.
      ClockTimer(997, true, ui::WhileRunning::RunNested),
      TrayMenuRestore(L"元の大きさに戻す", IDI_MENU_RESTORE, 32),
      TrayMenuClose(L"終了") {
    DefineWindow();
    // Nothing else runs until start-up is complete: a box opened inside it would run the
    // workers before their records are ready. What it found wrong is shown afterwards.
    ui::Application& app = ui::Application::Instance();
    app.HoldEvents();
    try {
        FormCreate(this);
    } catch (...) {
        app.AbandonEvents();
        throw;
    }
    app.ReleaseEvents();
}

TTapwhileForm::~TTapwhileForm() {
    // A window still open at the end (no close came first) ends its notification here.
    EndSessionNotification();
    ui::Application& app = ui::Application::Instance();
    app.OnMinimize = nullptr;
    app.OnRestore = nullptr;
    ClockTimer.OnTimer = nullptr;
}

// The window definition: texts are given above; here the layout, hints, states and bindings.
void TTapwhileForm::DefineWindow() {
    SetCaption(L"Form1");
    StatusPanels.placement.align = ui::Align::Bottom;
    Fill(Pages);

    // FilePage: three group boxes side by side.
    Fill(GridPanelFile);
    for (ui::GroupBox* box : {&GroupBoxShortcut, &GroupBoxClosing, &GroupBoxIdle}) Margins(*box, 3);
    Cell(GroupBoxShortcut, 0, 0);
    Cell(GroupBoxClosing, 0, 1);
    Cell(GroupBoxIdle, 0, 2);
    for (ui::GridPanel* grid : {&GridPanelShortcut, &GridPanelClosing, &GridPanelIdle}) Fill(*grid);
    Cell(ButtonDeskTop, 0, 0);
    Cell(ButtonStartMenu, 1, 0);
    Cell(ButtonStartUp, 2, 0);
    for (ui::Button* button : {&ButtonDeskTop, &ButtonStartMenu, &ButtonStartUp}) Margins(*button, 2);
    ImageButtons(
        ShortcutImages,
        {{&ButtonDeskTop, L"To DeskTop"}, {&ButtonStartMenu, L"To StartMenu"}, {&ButtonStartUp, L"To StartUp"}});
    Cell(CheckBoxTrayIcon, 0, 0);
    Cell(CheckBoxCloseQuery, 1, 0);
    Cell(CheckBoxSaveStatus, 2, 0);
    CheckBoxTrayIcon.SetHint(L"To TaskTray at minimize");
    CheckBoxCloseQuery.SetHint(L"Query at close");
    CheckBoxSaveStatus.SetHint(L"Save closing status");
    Cell(CheckBoxIdleOnForm, 0, 0, 2);
    Cell(CheckBoxIdleOnTaskButton, 1, 0, 2);
    Cell(LabelIdleHold, 2, 0);
    Cell(NumberBoxIdleHold, 2, 1);
    Margins(LabelIdleHold, 0, 0, 4, 0);
    LeftBox(NumberBoxIdleHold, 48);
    CheckBoxIdleOnForm.SetHint(L"Show un-use time on form");
    CheckBoxIdleOnTaskButton.SetHint(L"Show un-use time on task button");
    LabelIdleHold.SetHint(L"Show un-use time seconds");

    // View: the key-press group above the reload group.
    Fill(GridPanelView);
    Cell(GridPanelSendKey, 0, 0);
    Cell(GridPanelReload, 1, 0);
    Margins(GridPanelSendKey, 2);
    Margins(GridPanelReload, 2);
    // Each worker's switches above its minutes and its count.
    for (Worker* worker : {&keyPresser_, &reloader_}) {
        Cell(worker->OnSwitch(), 0, 0, 3);
        Cell(worker->IdleOnlySwitch(), 0, 3);
        Cell(worker->MinutesCaption(), 1, 0);
        Cell(worker->MinutesBox(), 1, 1);
        Cell(worker->CountLabel(), 1, 2, 2);
        Margins(worker->MinutesCaption(), 0, 0, 4, 0);
        Margins(worker->OnSwitch(), 4, 0, 0, 0);
        Margins(worker->CountLabel(), 4, 0, 0, 0);
        LeftBox(worker->MinutesBox(), 75);
        worker->OnSwitch().SetHint(worker->Texts().onHint);
        worker->IdleOnlySwitch().SetHint(L"UnTouched Only");
        worker->MinutesCaption().SetHint(L"Minutes");
        worker->MinutesBox().SetHint(L"1 .. 60");
        // The panels of the count labels have hints off.
        worker->CountLabel().SetHint(L"Times, Date Time", false);
        // Greyed while the worker is off.
        worker->CountLabel().SetEnabled(worker->On());
    }
    Cell(CheckBoxNormalDistribution, 2, 0);
    Cell(LabelDeviationRate, 2, 1);
    Cell(NumberBoxDeviationRate, 2, 2);
    Margins(CheckBoxNormalDistribution, 4, 0, 0, 0);
    Margins(LabelDeviationRate, 4, 0, 0, 0);
    LeftBox(NumberBoxDeviationRate, 75);
    CheckBoxNormalDistribution.SetHint(L"Normal Distribution");
    LabelDeviationRate.SetHint(L"Rate %");
    NumberBoxDeviationRate.SetHint(L"0 .. 100");

    // The list pages.
    Fill(KeyCodeList);
    KeyCodeList.SetHint(L"Select SendKey Code");
    KeyCodeList.AddAll(std::vector<std::wstring>(KeyCodeRows().begin(), KeyCodeRows().end()));
    Fill(HistoryMemo);
    HistoryMemo.SetHint(L"Log");
    HistoryMemo.AddLine(L"Memo1");
    Fill(SummaryMemo);
    SummaryMemo.SetHint(L"Summary");
    SummaryMemo.AddLine(L"Memo2");
    Fill(StyleList);

    // Help: five buttons and the hint switch.
    Fill(GridPanelHelp);
    GridPanelHelp.padding = Px(GridPanelHelp, 3);
    Cell(ButtonHelp, 0, 0);
    Cell(ButtonAbout, 1, 0);
    Cell(ButtonProperties, 2, 0);
    Cell(ButtonDonation, 0, 1);
    Cell(ButtonHomeSite, 1, 1);
    Cell(CheckBoxHint, 2, 1);
    for (ui::Button* button : {&ButtonHelp, &ButtonAbout, &ButtonProperties, &ButtonDonation, &ButtonHomeSite}) {
        Margins(*button, 3);
    }
    CheckBoxHint.placement.hAlign = HAlign::Left;
    CheckBoxHint.placement.width = Px(CheckBoxHint, 106);
    Margins(CheckBoxHint, 40, 3, 3, 3);
    ImageButtons(HelpImages, {{&ButtonHelp, L"Show HelpFile"},
                              {&ButtonAbout, L"About Version"},
                              {&ButtonProperties, L"Show Properties"},
                              {&ButtonDonation, L"Donation"},
                              {&ButtonHomeSite, L"Home Site"}});
    CheckBoxHint.SetHint(L"Show English Hint");
    Pages.SetActivePageIndex(6);  // the definition's active page is Help

    // The notification-area icon and its menu.
    Tray.SetShellCall(
        [&shell = services_.shell](DWORD message, NOTIFYICONDATAW& data) { return shell.NotifyIcon(message, data); });
    Tray.SetIconResource(IDI_APP);
    Tray.SetHint(ui::Application::Instance().Title());
    Tray.SetPopupMenu(&TrayMenu);
    TrayMenu.Add(&TrayMenuRestore);
    TrayMenu.Add(&TrayMenuClose);

    // Bindings.
    CheckBoxIdleOnForm.OnClick = [this](ui::Object* s) { CheckBoxIdleOnFormClick(s); };
    CheckBoxIdleOnTaskButton.OnClick = [this](ui::Object* s) { CheckBoxIdleOnTaskButtonClick(s); };
    KeyCodeList.OnClick = [this](ui::Object* s) { KeyCodeListClick(s); };
    ClockTimer.OnTimer = [this](ui::Object* s) { ClockTick(s); };
    OnResize = [this](ui::Object* s) { FormResize(s); };
    Pages.OnChange = [this](ui::Object* s) { PagesChange(s); };
    OnCloseQuery = [this](ui::Object* s, bool& canClose) { FormCloseQuery(s, canClose); };
    OnMessage = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message == WM_WTSSESSION_CHANGE) {
            WMWtsSessionChange(wParam);
            result = 0;
            return true;
        }
        return message == WM_QUERYENDSESSION && WMQueryEndSession(result);
    };
    SessionRegistrationRetry.OnTimer = [this](ui::Object*) { StartSessionNotification(); };
    StartSessionNotification();
    OnShowingChanged = [this] { CMShowingChanged(); };
    keyPresser_.SetStep([this] { return PressChosenKey(); });
    keyPresser_.FollowSwitch({&CheckBoxNormalDistribution, &NumberBoxDeviationRate, &LabelDeviationRate});
    reloader_.SetStep([this] { return ReloadBrowser(); });
    CheckBoxNormalDistribution.OnClick = [this](ui::Object* s) { CheckBoxNormalDistributionClick(s); };
    NumberBoxDeviationRate.OnChange = [this](ui::Object* s) { NumberBoxDeviationRateChange(s); };
    Tray.OnDblClick = [this](ui::Object* s) { TrayDblClick(s); };
    Tray.OnShown = [this](ui::Object* s) { TrayShown(s); };
    TrayMenuRestore.OnClick = [this](ui::Object* s) { TrayDblClick(s); };
    TrayMenuClose.OnClick = [this](ui::Object* s) { ExitClick(s); };
    GridPanelHelp.OnResize = [this](ui::Object* s) { GridPanelHelpResize(s); };
    StyleList.OnClick = [this](ui::Object* s) { StyleListClick(s); };
    CheckBoxHint.OnClick = [this](ui::Object* s) { CheckBoxHintClick(s); };
    ButtonDeskTop.OnClick = [this](ui::Object* s) { DeskTopClick(s); };
    ButtonStartMenu.OnClick = [this](ui::Object* s) { StartMenuClick(s); };
    ButtonStartUp.OnClick = [this](ui::Object* s) { StartUpClick(s); };
    ButtonHelp.OnClick = [this](ui::Object* s) { HelpClick(s); };
    ButtonAbout.OnClick = [this](ui::Object* s) { AboutClick(s); };
    ButtonProperties.OnClick = [this](ui::Object* s) { PropertiesClick(s); };
    ButtonDonation.OnClick = [this](ui::Object* s) { DonationClick(s); };
    ButtonHomeSite.OnClick = [this](ui::Object* s) { SiteClick(s); };
}

// ---- Start-up --------------------------------------------------------------------------------

void TTapwhileForm::FormCreate(ui::Object*) {
    ui::Application& app = ui::Application::Instance();
    app.OnMinimize = [this](ui::Object* s) { ApplicationMinimize(s); };
    app.OnRestore = [this](ui::Object* s) { ApplicationRestore(s); };
    attachTime_ = services_.clock.LocalNow();
    startStyleName_ = ActiveStyleName();
    SetCaption(AppTitle);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(Handle(), &placement);
    storedStyleName_ = LoadSettings(placement);
    HistoryMemo.Clear();
    TakeOverHistory();
    SummaryMemo.Clear();

    keyPresser_.Start();
    // The reload interval is always the configured minutes: a stored value equal to the box's
    // first value ran no change handler and would leave it at 0, an F5 at every run.
    reloader_.TakeMinutes();
    reloader_.Start();

    keyPresser_.CountLabel().SetText(L"");
    reloader_.CountLabel().SetText(L"");
    browserClasses_ = {L"Chrome_WidgetWin", L"MozillaWindowClass", L"OperaWindowClass", L"IEFrame"};
    SetUpStyles();
    CheckBoxHintClick(this);
    random_.seed(static_cast<unsigned>(services_.clock.LocalNow().Milliseconds()));
    ownLastInput_ = humanLastInput_ = services_.input.TickCount();
    ClockTick(this);
}

void TTapwhileForm::SetUpStyles() {
    ui::StyleManager& styles = ui::StyleManager::Instance();
    StyleList.Clear();
    StyleList.AddAll(styles.Names());
    int stored = StyleList.IndexOf(storedStyleName_);
    try {
        // A name the list does not hold (or none) re-activates the active style: no change.
        styles.Activate(stored >= 0 ? storedStyleName_ : styles.ActiveName());
    } catch (const Error& error) {
        // A stored style that cannot be loaded must not stop the start: the look stays.
        ui::Application::Instance().ShowError(error.Message());
    }
    StyleList.SetItemIndex(StyleList.IndexOf(styles.ActiveName()));
}

void TTapwhileForm::TakeOverHistory() {
    if (handOverFile_.empty() || !IsHandOverFile(handOverFile_)) return;
    try {
        JoinedLines history = LinesRejoinedWithCrLf(ReadTextFile(handOverFile_).text);
        HistoryMemo.LoadText(std::move(history.text), history.count);
    } catch (const Error& error) {
        ui::Application::Instance().ShowError(error.Message());
    }
    // Read or not, the file goes: it was meant for exactly one start.
    DeleteFileW(handOverFile_.c_str());
    handOverFile_.clear();
}

// ---- Layout and hints ------------------------------------------------------------------------

void TTapwhileForm::FormResize(ui::Object*) {
    Pages.SetTabWidth(TabWidth(Pages.Width(), Pages.PageCount()));
    int clock = ClockPanelWidth(StatusPanels.TextWidth(StatusPanels.PanelText(0)));
    StatusPanels.SetPanelWidth(0, clock);
    // A window narrower than the clock panel leaves the others nothing, not less than nothing.
    int others = std::max(0, OtherPanelWidth(ClientWidth(), clock));
    for (int panel = 1; panel <= 3; ++panel) StatusPanels.SetPanelWidth(panel, others);
    int box = IntervalBoxWidth(GridPanelSendKey.ClientWidth(), static_cast<int>(GridPanelSendKey.Columns().size()));
    for (ui::NumberBox* numberBox : {&keyPresser_.MinutesBox(), &reloader_.MinutesBox(), &NumberBoxDeviationRate})
        numberBox->placement.width = box;
    GridPanelSendKey.Realign();
    GridPanelReload.Realign();
}

void TTapwhileForm::GridPanelHelpResize(ui::Object*) {
    int margin = CentredLeftMargin(GridPanelHelp.ClientWidth(), static_cast<int>(GridPanelHelp.Columns().size()),
                                   CheckBoxHint.placement.width);
    CheckBoxHint.placement.margins.left = std::max(0, margin);
    GridPanelHelp.Realign();
}

void TTapwhileForm::CheckBoxHintClick(ui::Object*) { ui::Application::Instance().SetShowHint(CheckBoxHint.Checked()); }

// ---- Visual styles ---------------------------------------------------------------------------

void TTapwhileForm::StyleListClick(ui::Object*) {
    int selected = StyleList.ItemIndex();
    if (selected < 0) return;
    ui::StyleManager::Instance().Activate(StyleList.Item(selected));
}

// ---- Idle monitor and clock ------------------------------------------------------------------

void TTapwhileForm::ClockTick(ui::Object*) {
    ui::Application& app = ui::Application::Instance();
    // Whatever waits in the queue (paints, clicks, the workers' ticks) runs first, so that the
    // clock and idle time shown are read after it and a busy second does not leave them behind.
    // A box opened by one of those handlers runs nested here; the clock's timer therefore runs
    // nested too rather than dropping its ticks.
    app.ProcessMessages();
    StatusPanels.SetPanelText(0, FormatDateTime(L"yyyy/mm/dd  hh:nn", services_.clock.LocalNow(), services_.format));
    services_.input.GetLastInputInfo(idleInput_);
    IdleReading reading = ReadIdle(idleInput_.dwTime, services_.input.TickCount(), humanLastInput_, ownLastInput_,
                                   NumberBoxIdleHold.Value());
    idleElapsed_ = reading.diff;
    if (!reading.passesHold) return;
    StatusPanels.SetPanelText(3, CheckBoxIdleOnForm.Checked() ? reading.idleText : L"");
    app.SetTitle(CheckBoxIdleOnTaskButton.Checked() ? AppTitle + L" " + reading.idleText : AppTitle);
}

void TTapwhileForm::CheckBoxIdleOnFormClick(ui::Object*) { StatusPanels.SetPanelText(3, L""); }

void TTapwhileForm::CheckBoxIdleOnTaskButtonClick(ui::Object*) { ui::Application::Instance().SetTitle(AppTitle); }

// ---- Key code table --------------------------------------------------------------------------

void TTapwhileForm::SelectStoredKeyCode(const std::wstring& stored) {
    // Looked up among the list's own rows: their order is the list's, not the table's.
    std::vector<std::wstring> rows;
    for (int i = 0; i < KeyCodeList.Count(); ++i) rows.push_back(KeyCodeList.Item(i));
    int row = RowOfStoredCode(stored, rows);
    KeyCodeList.SetItemIndex(row);
    if (row >= 0) KeyCodeList.SetCheckedAt(row, true);
}

void TTapwhileForm::KeyCodeListClick(ui::Object*) {
    int selected = KeyCodeList.ItemIndex();
    for (int i = 0; i < KeyCodeList.Count(); ++i) KeyCodeList.SetCheckedAt(i, false);
    if (selected < 0) return;
    KeyCodeList.SetCheckedAt(selected, true);
    KeyCodeList.SetItemIndex(selected);
}

int TTapwhileForm::SelectedKeyCode() const {
    int selected = KeyCodeList.ItemIndex();
    return selected >= 0 ? CodeOfRowText(KeyCodeList.Item(selected)) : DefaultKeyCode;
}

}  // namespace tw
