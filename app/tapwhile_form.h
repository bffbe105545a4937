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
#include "app/worker.h"
#include "history/summary.h"
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

// What the window needs from the operating system, passed in so tests can stand in for it.
struct FormServices {
    InputServices& input;
    Clock& clock;
    Dialogs& dialogs;
    Shell& shell;
    Paths& paths;
    FormatSettings format;  // the process-wide date, time and number settings
};

class TTapwhileForm : public ui::Form, private WorkerHost {
    // First, so that the workers built with the controls can hold on to them.
    FormServices services_;

public:
    explicit TTapwhileForm(FormServices services);
    ~TTapwhileForm() override;

    // Event handlers bound by the window definition.
    void FormCreate(ui::Object* sender);
    void ClockTick(ui::Object* sender);
    void CheckBoxIdleOnFormClick(ui::Object* sender);
    void CheckBoxIdleOnTaskButtonClick(ui::Object* sender);
    void KeyCodeListClick(ui::Object* sender);
    void FormResize(ui::Object* sender);
    void GridPanelHelpResize(ui::Object* sender);
    void CheckBoxHintClick(ui::Object* sender);
    void StyleListClick(ui::Object* sender);

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
    void AddLog(const std::wstring& message) override;
    // Sees every message AddLog is given, the trace texts too (which leave no line).
    std::function<void(const std::wstring& message)> OnLogMessage;
    void UpdateSummary();
    void PagesChange(ui::Object* sender);

    // Shell integration: shortcuts, help file, web pages, property sheet (form_shell.cpp).
    void DeskTopClick(ui::Object* sender);
    void StartMenuClick(ui::Object* sender);
    void StartUpClick(ui::Object* sender);
    void RegisterShortcut(int folderId, const std::wstring& folderWord, const std::wstring& target);
    void ShowFileProperties(const std::wstring& fileName);
    void HelpClick(ui::Object* sender);
    void PropertiesClick(ui::Object* sender);
    void DonationClick(ui::Object* sender);
    void SiteClick(ui::Object* sender);

    // The About box (form_about.cpp).
    void AboutClick(ui::Object* sender);

    // Closing, session end and self-restart (form_closing.cpp).
    void FormCloseQuery(ui::Object* sender, bool& CanClose);
    void ExitClick(ui::Object* sender);
    bool WMQueryEndSession(LRESULT& result);
    void SelfRestart() override;

    // The workers (form_workers.cpp): the key-press simulator presses the chosen key, the browser
    // reloader presses F5 when a browser is in front.
    Worker& KeyPresser() { return keyPresser_; }
    Worker& Reloader() { return reloader_; }
    void CheckBoxNormalDistributionClick(ui::Object* sender);
    void NumberBoxDeviationRateChange(ui::Object* sender);

    // The session's lock and connection (form_workers.cpp): injected input cannot reach a
    // locked or disconnected session, so the workers neither press nor restart meanwhile.
    void WMWtsSessionChange(WPARAM code);
    bool SessionLocked() const { return sessionLocked_; }
    // Asks again for the session's messages while the system could not register them.
    ui::Timer SessionRegistrationRetry{5000, false};

    // Minimise, tray and restore (form_tray.cpp).
    void ApplicationMinimize(ui::Object* sender);
    void ApplicationRestore(ui::Object* sender);
    void TrayDblClick(ui::Object* sender);
    void TrayShown(ui::Object* sender);
    void CMShowingChanged();

    // The code the key-press worker injects: the selected row's code, else 0x9F.
    int SelectedKeyCode() const;
    // Selects and checks the row of a stored key code text; no row when none matches.
    void SelectStoredKeyCode(const std::wstring& stored);

    // ---- Controls, in the order of the window definition ------------------------------------
    ui::ImageList ShortcutImages;
    ui::ImageList HelpImages;
    ui::StatusBar StatusPanels;
    ui::PageControl Pages;

    ui::Page FilePage;
    ui::GridPanel GridPanelFile;
    ui::GroupBox GroupBoxShortcut;
    ui::GridPanel GridPanelShortcut;
    ui::Button ButtonDeskTop;
    ui::Button ButtonStartMenu;
    ui::Button ButtonStartUp;
    ui::GroupBox GroupBoxClosing;
    ui::GridPanel GridPanelClosing;
    ui::CheckBox CheckBoxTrayIcon;
    ui::CheckBox CheckBoxCloseQuery;
    ui::CheckBox CheckBoxSaveStatus;
    ui::GroupBox GroupBoxIdle;
    ui::GridPanel GridPanelIdle;
    ui::CheckBox CheckBoxIdleOnForm;
    ui::CheckBox CheckBoxIdleOnTaskButton;
    ui::Label LabelIdleHold;
    ui::NumberBox NumberBoxIdleHold;

    ui::Page View;
    ui::GridPanel GridPanelView;
    ui::GridPanel GridPanelSendKey;

private:
    // The key-press simulator's switches, minutes box and count label, in the window definition's
    // order; its normal distribution follows.
    Worker keyPresser_;

public:
    ui::CheckBox CheckBoxNormalDistribution;
    ui::Label LabelDeviationRate;
    ui::NumberBox NumberBoxDeviationRate;
    ui::GridPanel GridPanelReload;

private:
    Worker reloader_;

public:
    ui::Page KeyCode;
    ui::CheckListBox KeyCodeList;
    ui::Page Log;
    ui::Memo HistoryMemo;
    ui::Page Summary;
    ui::Memo SummaryMemo;
    ui::Page Style;
    ui::ListBox StyleList;

    ui::Page Help;
    ui::GridPanel GridPanelHelp;
    ui::Button ButtonHelp;
    ui::Button ButtonAbout;
    ui::Button ButtonProperties;
    ui::Button ButtonDonation;
    ui::Button ButtonHomeSite;
    ui::CheckBox CheckBoxHint;

    ui::Timer ClockTimer;
    ui::TrayIcon Tray;
    ui::PopupMenu TrayMenu;
    ui::MenuItem TrayMenuRestore;
    ui::MenuItem TrayMenuClose;

    const FormServices& Services() const { return services_; }

    // ---- State, by what it holds --------------------------------------------------------------
    // A close the session's end (or a self-restart) asked for: no question first.
    bool EndingSession() const { return endingSession_; }
    // The style active when the window started.
    const std::wstring& StartStyleName() const { return startStyleName_; }
    // Class-name beginnings of the browsers the reloader presses F5 for.
    const std::array<std::wstring, 4>& BrowserClasses() const { return browserClasses_; }
    // When the current history began (carried over a self-restart).
    DateTime AttachTime() const { return attachTime_; }
    void SetAttachTime(DateTime time) { attachTime_ = time; }
    // The first time in the summary.
    DateTime BornTime() const { return bornTime_; }
    // The file a self-restart hands the history over in; empty when there is none.
    const std::wstring& HandOverFile() const { return handOverFile_; }
    // When a self-restarting predecessor closed.
    DateTime PredecessorClose() const { return predecessorClose_; }
    void SetPredecessorClose(DateTime time) { predecessorClose_ = time; }
    // The idle display's last reading: the desktop's last input and the time since.
    const LASTINPUTINFO& IdleInput() const { return idleInput_; }
    std::int32_t IdleElapsed() const { return idleElapsed_; }
    // The last-input tick after the workers' last step (theirs, not the user's).
    std::uint32_t OwnLastInput() const { return ownLastInput_; }
    void SetOwnLastInput(std::uint32_t tick) { ownLastInput_ = tick; }

private:
    void DefineWindow();
    void TakeOverHistory();
    // Fills the style list and applies the stored style name.
    void SetUpStyles();
    double UniformRandom();
    // The key-press simulator's next interval: drawn around its minutes.
    void DrawKeyInterval();
    // The workers' steps: true when they pressed.
    bool PressChosenKey();
    bool ReloadBrowser();
    // The trace text of why injected input cannot reach the user's desktop now; empty when it can.
    std::wstring InputBlockedTrace() override;
    void NoteOwnInput(std::uint32_t tick) override { ownLastInput_ = tick; }
    // Registers for the session's messages and reads its lock state; unregisters while the
    // window still exists.
    void StartSessionNotification();
    void EndSessionNotification();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool endingSession_ = false;
    std::wstring startStyleName_;
    std::array<std::wstring, 4> browserClasses_;
    DateTime attachTime_;
    DateTime bornTime_;
    // What the last summary rebuild leaves for the next, and the history memo's revision it read.
    SummaryResume summaryResume_;
    std::uint64_t summaryHistoryRevision_ = 0;
    std::int32_t idleElapsed_ = 0;
    LASTINPUTINFO idleInput_{sizeof(LASTINPUTINFO), 0};
    std::wstring handOverFile_;
    DateTime predecessorClose_;
    std::uint32_t humanLastInput_ = 0;
    std::uint32_t ownLastInput_ = 0;
    bool sessionLocked_ = false;
    bool sessionDisconnected_ = false;
    bool sessionNotified_ = false;  // registered for the session's messages
    std::wstring storedStyleName_;  // read at start, for the visual styles
    std::mt19937 random_;           // the one pseudo-random generator, seeded from the clock at start
};

}  // namespace tw
