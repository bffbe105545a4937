// The About box: which build runs where, on what screen, for how long, and the time in Kyiv.
#include <random>

#include "about/about_dialog_win.h"
#include "about/about_gradient.h"
#include "about/about_text.h"
#include "about/about_win.h"
#include "about/elapsed_text.h"
#include "app/maker_info.h"
#include "app/resource_ids.h"
#include "app/tapwhile_form.h"
#include "platform/style_paint.h"
#include "shell/shell_launch_win.h"

namespace tw {

void TTapwhileForm::AboutClick(ui::Object*) {
    AboutFacts facts;
    facts.title = AppTitle;
    facts.version = AppVersion;
    facts.programFile = services_.paths.ProgramFile();
    facts.fileVersion = FileVersionText(facts.programFile);
    facts.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    facts.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    facts.systemDpi = static_cast<int>(GetDpiForSystem());
    facts.elapsed = ElapsedText(attachTime_, services_.clock.LocalNow());
    facts.notice = AppNotice;
    facts.mail = AppMail;
    facts.homeUrl = AppHomeUrl;
    facts.kyivTime = UkraineTimeText(services_.clock);

    AboutDialog dialog(Handle(), Caption(), AboutText(facts), IDI_APP, AppDownloadUrl);
    // The gradient only while the style the window started in is active.
    if (ActiveStyleName() == startStyleName_) {
        // The background: white to a random colour, in a random direction, at every repaint.
        // The picture starts from white, so the text on it is black whatever the system's colours.
        dialog.SetBackgroundPainter(
            [this](HDC dc, const RECT& client) {
                std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFE);
                const AboutGradient gradient = AboutGradientFor(colour(random_));
                ui::FillGradient(dc, client, RGB(255, 255, 255), gradient.endColor, gradient.horizontal);
            },
            RGB(0, 0, 0));
    }
    // A click on the icon opens the download page.
    dialog.OnImageClick = [this](ui::Object*) { OpenDocument(services_.shell, services_.dialogs, AppDownloadUrl); };
    dialog.ShowModal();
}

}  // namespace tw
