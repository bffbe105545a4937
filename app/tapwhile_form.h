#pragma once
// The one main window: every control, timer and field of the utility, and the event handlers.
// Handlers read controls, call the engine's functions and write the results back.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "app/maker_info.h"
#include "platform/application.h"
#include "platform/buttons.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/image_list.h"
#include "platform/input_services.h"
#include "platform/lists.h"
#include "platform/number_box.h"
#include "platform/panels.h"
#include "platform/status_bar.h"
#include "platform/system_services.h"
#include "platform/timer.h"
#include "platform/tray_icon.h"
#include "runtime/date_time.h"
#include "runtime/format_settings.h"
#include "settings/ini_document.h"

namespace tw {

inline const std::wstring AppTitle = L"カタコト号";
inline const std::wstring AppVersion = L"V2.9";

// Presses and reloads of the current history; carried over a self-restart.
extern std::int32_t Count1;
extern std::int32_t Count2;

// What the window needs from the operating system, passed in so tests can stand in for it.
struct FormServices {
    InputServices& input;
    Clock& clock;
    Dialogs& dialogs;
    Shell& shell;
    Paths& paths;
    FormatSettings format;  // the process-wide date, time and number settings
};

class TTapwhileForm : public ui::Form {
public:
    explicit TTapwhileForm(FormServices services);
    ~TTapwhileForm() override;

    // Event handlers bound by the window definition.
    void FormCreate(ui::Object* sender);
    void Timer0Timer(ui::Object* sender);
    void CheckBoxFormRB1Click(ui::Object* sender);
    void CheckBoxTaskButton1Click(ui::Object* sender);
    void CheckListBox1Click(ui::Object* sender);
    void FormResize(ui::Object* sender);
    void GridPanelHelpResize(ui::Object* sender);
    void CheckBoxHint1Click(ui::Object* sender);
    void ListBox1Click(ui::Object* sender);

    // The settings file (form_settings.cpp). Load returns the stored style name.
    std::wstring IniFilePath();
    std::wstring LoadSettings(WINDOWPLACEMENT& placement);
    void SaveSettings();
    void FillSettings(IniDocument& ini, const std::wstring& path);
    std::wstring StoredKeyCodeText() const;
    std::wstring ActiveStyleName() const;
    // A hand-over file this instance may take over: one the system made in the temp folder.
    bool IsHandOverFile(const std::wstring& path);

    // History and summary (form_history.cpp).
    void AddLog(const std::wstring& message);
    // Sees every message AddLog is given, the trace texts too (which leave no line).
    std::function<void(const std::wstring& message)> OnLogMessage;
    void UpdateSummary();
    void PageControl1Change(ui::Object* sender);

    // Shell integration: shortcuts, help file, web pages, property sheet (form_shell.cpp).
    void DeskTop1Click(ui::Object* sender);
    void StartMenu1Click(ui::Object* sender);
    void StartUp1Click(ui::Object* sender);
    void RegisterShortcut(int folderId, const std::wstring& folderWord, const std::wstring& target);
    void ShowFileProperties(const std::wstring& fileName);
    void Help2Click(ui::Object* sender);
    void ButtonPropaties1Click(ui::Object* sender);
    void ButtonDonation1Click(ui::Object* sender);
    void Site1Click(ui::Object* sender);

    // The About box (form_about.cpp).
    void About1Click(ui::Object* sender);

    // Closing, session end and self-restart (form_closing.cpp).
    void FormCloseQuery(ui::Object* sender, bool& CanClose);
    void EXit1Click(ui::Object* sender);
    bool WMQueryEndSession(LRESULT& result);
    void SelfRestart();

    // The workers (form_workers.cpp).
    void Timer1Timer(ui::Object* sender);
    // True when it pressed the key.
    bool SendKeyWork();
    void CheckBoxSendKeyClick(ui::Object* sender);
    void CheckBoxNormalDistributionClick(ui::Object* sender);
    void NumberBox1Change(ui::Object* sender);
    void NumberBox3Change(ui::Object* sender);
    void Timer2Timer(ui::Object* sender);
    // True when it pressed F5.
    bool SendReloadWork();
    void CheckBoxSendReloadClick(ui::Object* sender);
    void NumberBox2Change(ui::Object* sender);

    // The session's lock and connection (form_workers.cpp): injected input cannot reach a
    // locked or disconnected session, so the workers neither press nor restart meanwhile.
    void WMWtsSessionChange(WPARAM code);
    bool SessionLocked() const { return sessionLocked_; }
    // Asks again for the session's messages while the system could not register them.
    ui::Timer SessionRegistrationRetry{5000, false};

    // Minimise, tray and restore (form_tray.cpp).
    void ApplicationMinimize(ui::Object* sender);
    void ApplicationRestore(ui::Object* sender);
    void TrayIcon1DblClick(ui::Object* sender);
    void TrayIcon1Shown(ui::Object* sender);
    void CMShowingChanged();

    // The code the key-press worker injects: the selected row's code, else 0x9F.
    int SelectedKeyCode() const;
    // Selects and checks the row of a stored key code text; no row when none matches.
    void SelectStoredKeyCode(const std::wstring& stored);

    // ---- Controls, in the order of the window definition ------------------------------------
    ui::ImageList ImageList0;
    ui::ImageList ImageList6;
    ui::StatusBar StatusBar1;
    ui::PageControl PageControl1;

    ui::Page FilePage;
    ui::GridPanel GridPanel1;
    ui::GroupBox GroupBox1;
    ui::GridPanel GridPanel2;
    ui::Button ButtonDeskTop;
    ui::Button ButtonStartMenu;
    ui::Button ButtonStartUp;
    ui::GroupBox GroupBox2;
    ui::GridPanel GridPanel3;
    ui::CheckBox CheckBoxTrayIcon1;
    ui::CheckBox CheckBoxCloseQuery1;
    ui::CheckBox CheckBoxSaveStatus1;
    ui::GroupBox GroupBox3;
    ui::GridPanel GridPanel4;
    ui::CheckBox CheckBoxFormRB1;
    ui::CheckBox CheckBoxTaskButton1;
    ui::Label Label4;
    ui::NumberBox NumberBox4;

    ui::Page View;
    ui::GridPanel GridPanelView;
    ui::GridPanel GridPanelSendKey;
    ui::CheckBox CheckBoxSendKey;
    ui::CheckBox CheckBoxSendKeyUntouch;
    ui::Label Label11;
    ui::NumberBox NumberBox1;
    ui::Label Label1;
    ui::CheckBox CheckBoxNormalDistribution;
    ui::Label Label13;
    ui::NumberBox NumberBox3;
    ui::GridPanel GridPanelReload;
    ui::CheckBox CheckBoxSendReload;
    ui::CheckBox CheckBoxSendReloadUntouch;
    ui::Label Label3;
    ui::NumberBox NumberBox2;
    ui::Label Label2;

    ui::Page KeyCode;
    ui::CheckListBox CheckListBox1;
    ui::Page Log;
    ui::Memo Memo1;
    ui::Page Summary;
    ui::Memo Memo2;
    ui::Page Style;
    ui::ListBox ListBox1;

    ui::Page Help;
    ui::GridPanel GridPanelHelp;
    ui::Button ButtonHelp2;
    ui::Button ButtonAbout1;
    ui::Button ButtonPropaties1;
    ui::Button ButtonDonation1;
    ui::Button ButtonHomeSite1;
    ui::CheckBox CheckBoxHint1;

    ui::Timer Timer0;
    ui::Timer Timer1;
    ui::Timer Timer2;
    ui::TrayIcon TrayIcon1;
    ui::PopupMenu PopupMenu1;
    ui::MenuItem pmRestore;
    ui::MenuItem pmClose;

    // ---- Fields, in their declared order ----------------------------------------------------
    bool FQueryEndSession = false;
    std::wstring BasicStyleName1;
    std::array<std::wstring, 4> BrowserClass1;
    std::uint32_t LastHit1 = 0;
    std::uint32_t LastHit2 = 0;
    DateTime AttachTime0;
    DateTime BornTime0;
    DateTime StartTime0;
    DateTime EndTime0;
    std::int32_t Interval1 = 0;
    std::int32_t Interval2 = 0;
    std::int32_t Diff1 = 0;
    std::int32_t Diff2 = 0;
    std::int32_t Diff3 = 0;
    LASTINPUTINFO LII1{};
    LASTINPUTINFO LII2{};
    LASTINPUTINFO LII3{};
    std::wstring PrevLogFileName1;
    DateTime LastClose1;
    std::uint32_t HumanLastInput3 = 0;
    std::uint32_t SendKeyLastInput3 = 0;

    const FormServices& Services() const { return services_; }

private:
    void DefineWindow();
    void TakeOverHistory();
    // Fills the style list and applies the stored style name.
    void SetUpStyles();
    double UniformRandom();
    void DrawInterval1();
    // The trace texts of a worker's measurement.
    struct WorkerTrace {
        const wchar_t* lastInput;
        const wchar_t* lastHit;
        const wchar_t* diff;
        const wchar_t* interval;
    };
    // Milliseconds since the desktop's last input (untouched) or since the worker's last act.
    std::int32_t MeasureWorker(const WorkerTrace& trace, bool untouched, LASTINPUTINFO& lii, std::uint32_t lastHit,
                               std::int32_t interval);
    // The trace text of why injected input cannot reach the user's desktop now; empty when it can.
    std::wstring InputBlockedTrace();
    // One press of the key, down and up in one injection; false, with the system's error in the
    // trace, when the system did not take it whole.
    bool InjectPress(std::uint8_t key);
    // Runs an attempt, waits a second and records the last-input tick as the workers' own; a
    // press that left that tick unchanged restarts the utility.
    void AttemptAndCheck(LASTINPUTINFO& lii, const std::function<bool()>& attempt);
    // Registers for the session's messages and reads its lock state; unregisters while the
    // window still exists.
    void StartSessionNotification();
    void EndSessionNotification();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    FormServices services_;
    bool sessionLocked_ = false;
    bool sessionDisconnected_ = false;
    bool sessionNotified_ = false;  // registered for the session's messages
    std::wstring storedStyleName_;  // read at start, for the visual styles
    std::mt19937 random_;  // the one pseudo-random generator, seeded from the clock at start
};

}  // namespace tw
