#include "app/tapwhile_form.h"

#include <algorithm>

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

std::int32_t Count1 = 0;
std::int32_t Count2 = 0;

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

}  // namespace

TTapwhileForm::TTapwhileForm(FormServices services)
    : ui::Form(378, 217, L"Meiryo UI", 11),
      ImageList0({IDI_BTN_DESKTOP, IDI_BTN_STARTMENU, IDI_BTN_STARTUP}),
      ImageList6({IDI_BTN_HELP, IDI_BTN_ABOUT, IDI_BTN_PROPERTIES, IDI_BTN_DONATION, IDI_BTN_HOMESITE}),
      StatusBar1(*this, 4, 100),
      PageControl1(*this),
      FilePage(PageControl1, L"ファイル"),
      GridPanel1(FilePage, Equal(3), Equal(1)),
      GroupBox1(GridPanel1, L"ショートカット登録"),
      GridPanel2(GroupBox1, Equal(1), Equal(3)),
      ButtonDeskTop(GridPanel2, L"デスクトップ"),
      ButtonStartMenu(GridPanel2, L"スタートメニュー"),
      ButtonStartUp(GridPanel2, L"スタートアップ"),
      GroupBox2(GridPanel1, L"最小化・終了時"),
      GridPanel3(GroupBox2, Equal(1), Equal(3)),
      CheckBoxTrayIcon1(GridPanel3, L"最小化は タスクトレイへ", false),
      CheckBoxCloseQuery1(GridPanel3, L"終了時に確認", false),
      CheckBoxSaveStatus1(GridPanel3, L"終了時の状態を保存", true),
      GroupBox3(GridPanel1, L"無操作時間"),
      GridPanel4(GroupBox3, Equal(2), Equal(3)),
      CheckBoxFormRB1(GridPanel4, L"フォーム右下に表示", true),
      CheckBoxTaskButton1(GridPanel4, L"タスクボタンにも表示", false),
      Label4(GridPanel4, L"残留(秒)", ui::Label::Alignment::Right),
      NumberBox4(GridPanel4, 1, 30, 10),
      View(PageControl1, L"表 示"),
      GridPanelView(View, Equal(1), {Share::Percent(60.8), Share::Percent(39.2)}),
      GridPanelSendKey(GridPanelView, Equal(4), Equal(3)),
      CheckBoxSendKey(GridPanelSendKey, L"設定したコードで、キーを押したことにする", true),
      CheckBoxSendKeyUntouch(GridPanelSendKey, L"無操作時のみ", true),
      Label11(GridPanelSendKey, L"経過時間(分)", ui::Label::Alignment::Right),
      NumberBox1(GridPanelSendKey, 1, 60, 1),
      Label1(GridPanelSendKey, L"11 回め、2011/11/11 01:10"),
      CheckBoxNormalDistribution(GridPanelSendKey, L"正規分布", true),
      Label13(GridPanelSendKey, L"標準偏差率(%)"),
      NumberBox3(GridPanelSendKey, 0, 50, 1),
      GridPanelReload(GridPanelView, Equal(4), Equal(2)),
      CheckBoxSendReload(GridPanelReload, L"ブラウザが最前面だったら、「更新」キーを押す　", false),
      CheckBoxSendReloadUntouch(GridPanelReload, L"無操作時のみ", false),
      Label3(GridPanelReload, L"経過時間(分)", ui::Label::Alignment::Right),
      NumberBox2(GridPanelReload, 1, 60, 1),
      Label2(GridPanelReload, L"2 回め、2011/11/11 01:09"),
      KeyCode(PageControl1, L"設 定"),
      CheckListBox1(KeyCode, 17),
      Log(PageControl1, L"履 歴"),
      Memo1(Log, L"Tahoma", 11),
      Summary(PageControl1, L"集 計"),
      Memo2(Summary, L"Tahoma", 11),
      Style(PageControl1, L"スタイル"),
      ListBox1(Style, 14),
      Help(PageControl1, L"ヘルプ"),
      GridPanelHelp(Help, Equal(2), {Share::Percent(1), Share::Percent(1), Share::Percent(1), Share::Auto()}),
      ButtonHelp2(GridPanelHelp, L"ヘルプ"),
      ButtonAbout1(GridPanelHelp, L"バージョン情報"),
      ButtonPropaties1(GridPanelHelp, L"プロパティ表示"),
      ButtonDonation1(GridPanelHelp, L"開発支援"),
      ButtonHomeSite1(GridPanelHelp, L"ホームサイト"),
      CheckBoxHint1(GridPanelHelp, L"Show Item Hint", false),
      // The clock lets pending messages run inside its tick: a box opened there must not stop it.
      Timer0(997, true, ui::WhileRunning::RunNested),
      Timer1(991),
      Timer2(983),
      pmRestore(L"元の大きさに戻す", IDI_MENU_RESTORE, 32),
      pmClose(L"終了"),
      services_(std::move(services)) {
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
    Timer0.OnTimer = nullptr;
    Timer1.OnTimer = nullptr;
    Timer2.OnTimer = nullptr;
}

// The window definition: texts are given above; here the layout, hints, states and bindings.
void TTapwhileForm::DefineWindow() {
    SetCaption(L"Form1");
    StatusBar1.placement.align = ui::Align::Bottom;
    Fill(PageControl1);

    // FilePage: three group boxes side by side.
    Fill(GridPanel1);
    for (ui::GroupBox* box : {&GroupBox1, &GroupBox2, &GroupBox3}) Margins(*box, 3);
    Cell(GroupBox1, 0, 0);
    Cell(GroupBox2, 0, 1);
    Cell(GroupBox3, 0, 2);
    for (ui::GridPanel* grid : {&GridPanel2, &GridPanel3, &GridPanel4}) Fill(*grid);
    Cell(ButtonDeskTop, 0, 0);
    Cell(ButtonStartMenu, 1, 0);
    Cell(ButtonStartUp, 2, 0);
    for (ui::Button* button : {&ButtonDeskTop, &ButtonStartMenu, &ButtonStartUp}) Margins(*button, 2);
    ButtonDeskTop.SetImage(ImageList0, 0);
    ButtonStartMenu.SetImage(ImageList0, 1);
    ButtonStartUp.SetImage(ImageList0, 2);
    ButtonDeskTop.SetHint(L"To DeskTop");
    ButtonStartMenu.SetHint(L"To StartMenu");
    ButtonStartUp.SetHint(L"To StartUp");
    Cell(CheckBoxTrayIcon1, 0, 0);
    Cell(CheckBoxCloseQuery1, 1, 0);
    Cell(CheckBoxSaveStatus1, 2, 0);
    CheckBoxTrayIcon1.SetHint(L"To TaskTray at minimize");
    CheckBoxCloseQuery1.SetHint(L"Query at close");
    CheckBoxSaveStatus1.SetHint(L"Save closing status");
    Cell(CheckBoxFormRB1, 0, 0, 2);
    Cell(CheckBoxTaskButton1, 1, 0, 2);
    Cell(Label4, 2, 0);
    Cell(NumberBox4, 2, 1);
    Margins(Label4, 0, 0, 4, 0);
    LeftBox(NumberBox4, 48);
    CheckBoxFormRB1.SetHint(L"Show un-use time on form");
    CheckBoxTaskButton1.SetHint(L"Show un-use time on task button");
    Label4.SetHint(L"Show un-use time seconds");

    // View: the key-press group above the reload group.
    Fill(GridPanelView);
    Cell(GridPanelSendKey, 0, 0);
    Cell(GridPanelReload, 1, 0);
    Margins(GridPanelSendKey, 2);
    Margins(GridPanelReload, 2);
    Cell(CheckBoxSendKey, 0, 0, 3);
    Cell(CheckBoxSendKeyUntouch, 0, 3);
    Cell(Label11, 1, 0);
    Cell(NumberBox1, 1, 1);
    Cell(Label1, 1, 2, 2);
    Cell(CheckBoxNormalDistribution, 2, 0);
    Cell(Label13, 2, 1);
    Cell(NumberBox3, 2, 2);
    Cell(CheckBoxSendReload, 0, 0, 3);
    Cell(CheckBoxSendReloadUntouch, 0, 3);
    Cell(Label3, 1, 0);
    Cell(NumberBox2, 1, 1);
    Cell(Label2, 1, 2, 2);
    for (ui::Control* label : {static_cast<ui::Control*>(&Label11), static_cast<ui::Control*>(&Label3)}) {
        Margins(*label, 0, 0, 4, 0);
    }
    for (ui::Control* control : {static_cast<ui::Control*>(&CheckBoxSendKey), static_cast<ui::Control*>(&CheckBoxNormalDistribution),
                                 static_cast<ui::Control*>(&CheckBoxSendReload), static_cast<ui::Control*>(&Label1),
                                 static_cast<ui::Control*>(&Label2), static_cast<ui::Control*>(&Label13)}) {
        Margins(*control, 4, 0, 0, 0);
    }
    for (ui::NumberBox* box : {&NumberBox1, &NumberBox2, &NumberBox3}) LeftBox(*box, 75);
    CheckBoxSendKey.SetHint(L"Send KeyCode");
    CheckBoxSendKeyUntouch.SetHint(L"UnTouched Only");
    Label11.SetHint(L"Minutes");
    NumberBox1.SetHint(L"1 .. 60");
    // The panels of the two labels have hints off.
    Label1.SetHint(L"Times, Date Time", false);
    CheckBoxNormalDistribution.SetHint(L"Normal Distribution");
    Label13.SetHint(L"Rate %");
    NumberBox3.SetHint(L"0 .. 100");
    CheckBoxSendReload.SetHint(L"[F5] for Blowser");
    CheckBoxSendReloadUntouch.SetHint(L"UnTouched Only");
    Label3.SetHint(L"Minutes");
    NumberBox2.SetHint(L"1 .. 60");
    Label2.SetHint(L"Times, Date Time", false);
    Label2.SetEnabled(false);

    // The list pages.
    Fill(CheckListBox1);
    CheckListBox1.SetHint(L"Select SendKey Code");
    CheckListBox1.AddAll(std::vector<std::wstring>(KeyCodeRows().begin(), KeyCodeRows().end()));
    Fill(Memo1);
    Memo1.SetHint(L"Log");
    Memo1.AddLine(L"Memo1");
    Fill(Memo2);
    Memo2.SetHint(L"Summary");
    Memo2.AddLine(L"Memo2");
    Fill(ListBox1);

    // Help: five buttons and the hint switch.
    Fill(GridPanelHelp);
    GridPanelHelp.padding = Px(GridPanelHelp, 3);
    Cell(ButtonHelp2, 0, 0);
    Cell(ButtonAbout1, 1, 0);
    Cell(ButtonPropaties1, 2, 0);
    Cell(ButtonDonation1, 0, 1);
    Cell(ButtonHomeSite1, 1, 1);
    Cell(CheckBoxHint1, 2, 1);
    for (ui::Button* button : {&ButtonHelp2, &ButtonAbout1, &ButtonPropaties1, &ButtonDonation1, &ButtonHomeSite1}) {
        Margins(*button, 3);
    }
    CheckBoxHint1.placement.hAlign = HAlign::Left;
    CheckBoxHint1.placement.width = Px(CheckBoxHint1, 106);
    Margins(CheckBoxHint1, 40, 3, 3, 3);
    ButtonHelp2.SetImage(ImageList6, 0);
    ButtonAbout1.SetImage(ImageList6, 1);
    ButtonPropaties1.SetImage(ImageList6, 2);
    ButtonDonation1.SetImage(ImageList6, 3);
    ButtonHomeSite1.SetImage(ImageList6, 4);
    ButtonHelp2.SetHint(L"Show HelpFile");
    ButtonAbout1.SetHint(L"About Version");
    ButtonPropaties1.SetHint(L"Show Properties");
    ButtonDonation1.SetHint(L"Donation");
    ButtonHomeSite1.SetHint(L"Home Site");
    CheckBoxHint1.SetHint(L"Show English Hint");
    PageControl1.SetActivePageIndex(6);  // the definition's active page is Help

    // The notification-area icon and its menu.
    TrayIcon1.SetShellCall(
        [&shell = services_.shell](DWORD message, NOTIFYICONDATAW& data) { return shell.NotifyIcon(message, data); });
    TrayIcon1.SetIconResource(IDI_APP);
    TrayIcon1.SetHint(ui::Application::Instance().Title());
    TrayIcon1.SetPopupMenu(&PopupMenu1);
    PopupMenu1.Add(&pmRestore);
    PopupMenu1.Add(&pmClose);

    // Bindings.
    CheckBoxFormRB1.OnClick = [this](ui::Object* s) { CheckBoxFormRB1Click(s); };
    CheckBoxTaskButton1.OnClick = [this](ui::Object* s) { CheckBoxTaskButton1Click(s); };
    CheckListBox1.OnClick = [this](ui::Object* s) { CheckListBox1Click(s); };
    Timer0.OnTimer = [this](ui::Object* s) { Timer0Timer(s); };
    OnResize = [this](ui::Object* s) { FormResize(s); };
    PageControl1.OnChange = [this](ui::Object* s) { PageControl1Change(s); };
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
    Timer1.OnTimer = [this](ui::Object* s) { Timer1Timer(s); };
    Timer2.OnTimer = [this](ui::Object* s) { Timer2Timer(s); };
    CheckBoxSendKey.OnClick = [this](ui::Object* s) { CheckBoxSendKeyClick(s); };
    CheckBoxNormalDistribution.OnClick = [this](ui::Object* s) { CheckBoxNormalDistributionClick(s); };
    NumberBox1.OnChange = [this](ui::Object* s) { NumberBox1Change(s); };
    NumberBox3.OnChange = [this](ui::Object* s) { NumberBox3Change(s); };
    CheckBoxSendReload.OnClick = [this](ui::Object* s) { CheckBoxSendReloadClick(s); };
    NumberBox2.OnChange = [this](ui::Object* s) { NumberBox2Change(s); };
    TrayIcon1.OnDblClick = [this](ui::Object* s) { TrayIcon1DblClick(s); };
    TrayIcon1.OnShown = [this](ui::Object* s) { TrayIcon1Shown(s); };
    pmRestore.OnClick = [this](ui::Object* s) { TrayIcon1DblClick(s); };
    pmClose.OnClick = [this](ui::Object* s) { EXit1Click(s); };
    GridPanelHelp.OnResize = [this](ui::Object* s) { GridPanelHelpResize(s); };
    ListBox1.OnClick = [this](ui::Object* s) { ListBox1Click(s); };
    CheckBoxHint1.OnClick = [this](ui::Object* s) { CheckBoxHint1Click(s); };
    ButtonDeskTop.OnClick = [this](ui::Object* s) { DeskTop1Click(s); };
    ButtonStartMenu.OnClick = [this](ui::Object* s) { StartMenu1Click(s); };
    ButtonStartUp.OnClick = [this](ui::Object* s) { StartUp1Click(s); };
    ButtonHelp2.OnClick = [this](ui::Object* s) { Help2Click(s); };
    ButtonAbout1.OnClick = [this](ui::Object* s) { About1Click(s); };
    ButtonPropaties1.OnClick = [this](ui::Object* s) { ButtonPropaties1Click(s); };
    ButtonDonation1.OnClick = [this](ui::Object* s) { ButtonDonation1Click(s); };
    ButtonHomeSite1.OnClick = [this](ui::Object* s) { Site1Click(s); };
    Realign();
}

// ---- Start-up --------------------------------------------------------------------------------

void TTapwhileForm::FormCreate(ui::Object*) {
    ui::Application& app = ui::Application::Instance();
    app.OnMinimize = [this](ui::Object* s) { ApplicationMinimize(s); };
    app.OnRestore = [this](ui::Object* s) { ApplicationRestore(s); };
    AttachTime0 = services_.clock.LocalNow();
    BasicStyleName1 = ActiveStyleName();
    SetCaption(AppTitle);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(Handle(), &placement);
    storedStyleName_ = LoadSettings(placement);
    Memo1.Clear();
    TakeOverHistory();
    Memo2.Clear();

    InputServices& input = services_.input;
    Timer1.SetEnabled(CheckBoxSendKey.Checked());
    LastHit1 = input.TickCount();
    StatusBar1.SetPanelText(1, L"");
    CheckBoxSendKeyClick(this);

    Timer2.SetEnabled(CheckBoxSendReload.Checked());
    LastHit2 = input.TickCount();
    // The reload interval is always the configured minutes: a stored value equal to the box's
    // first value ran no change handler and would leave it at 0, an F5 at every run.
    Interval2 = MinutesToInterval(NumberBox2.Value());
    StatusBar1.SetPanelText(2, L"");
    CheckBoxSendReloadClick(this);

    Label1.SetText(L"");
    Label2.SetText(L"");
    BrowserClass1 = {L"Chrome_WidgetWin", L"MozillaWindowClass", L"OperaWindowClass", L"IEFrame"};
    SetUpStyles();
    CheckBoxHint1Click(this);
    random_.seed(static_cast<unsigned>(services_.clock.LocalNow().Milliseconds()));
    LII1 = LASTINPUTINFO{};
    LII2 = LASTINPUTINFO{};
    LII3 = LASTINPUTINFO{};
    LII1.cbSize = LII2.cbSize = LII3.cbSize = sizeof(LASTINPUTINFO);
    SendKeyLastInput3 = HumanLastInput3 = input.TickCount();
    Timer0Timer(this);
}

void TTapwhileForm::SetUpStyles() {
    ui::StyleManager& styles = ui::StyleManager::Instance();
    ListBox1.Clear();
    for (const std::wstring& name : styles.Names()) ListBox1.Add(name);
    int stored = ListBox1.IndexOf(storedStyleName_);
    try {
        // A name the list does not hold (or none) re-activates the active style: no change.
        styles.Activate(stored >= 0 ? storedStyleName_ : styles.ActiveName());
    } catch (const Error& error) {
        // A stored style that cannot be loaded must not stop the start: the look stays.
        ui::Application::Instance().ShowError(error.Message());
    }
    ListBox1.SetItemIndex(ListBox1.IndexOf(styles.ActiveName()));
}

void TTapwhileForm::TakeOverHistory() {
    if (PrevLogFileName1.empty() || !IsHandOverFile(PrevLogFileName1)) return;
    try {
        JoinedLines history = JoinLinesWithCrLf(ReadTextFile(PrevLogFileName1).text);
        Memo1.LoadText(std::move(history.text), history.count);
    } catch (const Error& error) {
        ui::Application::Instance().ShowError(error.Message());
    }
    // Read or not, the file goes: it was meant for exactly one start.
    DeleteFileW(PrevLogFileName1.c_str());
    PrevLogFileName1.clear();
}

// ---- Layout and hints ------------------------------------------------------------------------

void TTapwhileForm::FormResize(ui::Object*) {
    PageControl1.SetTabWidth(TabWidth(PageControl1.Width(), PageControl1.PageCount()));
    int clock = ClockPanelWidth(StatusBar1.TextWidth(StatusBar1.PanelText(0)));
    StatusBar1.SetPanelWidth(0, clock);
    // A window narrower than the clock panel leaves the others nothing, not less than nothing.
    int others = std::max(0, OtherPanelWidth(ClientWidth(), clock));
    for (int panel = 1; panel <= 3; ++panel) StatusBar1.SetPanelWidth(panel, others);
    int box = IntervalBoxWidth(GridPanelSendKey.ClientWidth(), static_cast<int>(GridPanelSendKey.Columns().size()));
    for (ui::NumberBox* numberBox : {&NumberBox1, &NumberBox2, &NumberBox3}) numberBox->placement.width = box;
    GridPanelSendKey.Realign();
    GridPanelReload.Realign();
}

void TTapwhileForm::GridPanelHelpResize(ui::Object*) {
    int margin = CentredLeftMargin(GridPanelHelp.ClientWidth(), static_cast<int>(GridPanelHelp.Columns().size()),
                                   CheckBoxHint1.placement.width);
    CheckBoxHint1.placement.margins.left = std::max(0, margin);
    GridPanelHelp.Realign();
}

void TTapwhileForm::CheckBoxHint1Click(ui::Object*) {
    ui::Application::Instance().SetShowHint(CheckBoxHint1.Checked());
}

// ---- Visual styles ---------------------------------------------------------------------------

void TTapwhileForm::ListBox1Click(ui::Object*) {
    int selected = ListBox1.ItemIndex();
    if (selected < 0) return;
    ui::StyleManager::Instance().Activate(ListBox1.Item(selected));
}

// ---- Idle monitor and clock ------------------------------------------------------------------

void TTapwhileForm::Timer0Timer(ui::Object*) {
    ui::Application& app = ui::Application::Instance();
    app.ProcessMessages();
    StatusBar1.SetPanelText(0, FormatDateTime(L"yyyy/mm/dd  hh:nn", services_.clock.LocalNow(), services_.format));
    services_.input.GetLastInputInfo(LII3);
    IdleReading reading =
        ReadIdle(LII3.dwTime, services_.input.TickCount(), HumanLastInput3, SendKeyLastInput3, NumberBox4.Value());
    Diff3 = reading.diff;
    if (!reading.passesHold) return;
    StatusBar1.SetPanelText(3, CheckBoxFormRB1.Checked() ? reading.idleText : L"");
    app.SetTitle(CheckBoxTaskButton1.Checked() ? AppTitle + L" " + reading.idleText : AppTitle);
}

void TTapwhileForm::CheckBoxFormRB1Click(ui::Object*) { StatusBar1.SetPanelText(3, L""); }

void TTapwhileForm::CheckBoxTaskButton1Click(ui::Object*) { ui::Application::Instance().SetTitle(AppTitle); }

// ---- Key code table --------------------------------------------------------------------------

void TTapwhileForm::SelectStoredKeyCode(const std::wstring& stored) {
    // Looked up among the list's own rows: their order is the list's, not the table's.
    std::vector<std::wstring> rows;
    for (int i = 0; i < CheckListBox1.Count(); ++i) rows.push_back(CheckListBox1.Item(i));
    int row = RowOfStoredCode(stored, rows);
    CheckListBox1.SetItemIndex(row);
    if (row >= 0) CheckListBox1.SetCheckedAt(row, true);
}

void TTapwhileForm::CheckListBox1Click(ui::Object*) {
    int selected = CheckListBox1.ItemIndex();
    for (int i = 0; i < CheckListBox1.Count(); ++i) CheckListBox1.SetCheckedAt(i, false);
    if (selected < 0) return;
    CheckListBox1.SetCheckedAt(selected, true);
    CheckListBox1.SetItemIndex(selected);
}

int TTapwhileForm::SelectedKeyCode() const {
    int selected = CheckListBox1.ItemIndex();
    return selected >= 0 ? CodeOfRowText(CheckListBox1.Item(selected)) : DefaultKeyCode;
}

}  // namespace tw
