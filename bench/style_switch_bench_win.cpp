// Prints how long a style switch of the main window takes under Wine or Windows, and the GDI and
// USER objects of the process before and after switching through every style twice.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "appearance/style_resources_win.h"
#include "bench_window.h"
#include "platform/style_manager.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Paints what is waiting to be painted.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Figures {
    double mean = 0;
    double worst = 0;
};

Figures Summarise(const std::vector<double>& times) {
    Figures f;
    for (double t : times) {
        f.mean += t;
        f.worst = std::max(f.worst, t);
    }
    if (!times.empty()) f.mean /= static_cast<double>(times.size());
    return f;
}

}  // namespace

int main() {
    tw::bench::MainWindow window;
    tw::TTapwhileForm& form = window.form;
    tw::ui::StyleManager& styles = tw::ui::StyleManager::Instance();
    form.Show();
    form.Pages.SetActivePageIndex(1);
    Pump();

    const std::vector<std::wstring> names = styles.Names();
    std::printf("styles: %zu\n", names.size());
    // A first pass loads every style once, so that the figures below are of steady switches.
    for (const std::wstring& name : names) styles.Activate(name);
    styles.Activate(L"Windows");
    Pump();

    HANDLE process = GetCurrentProcess();
    const DWORD gdiBefore = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process, GR_USEROBJECTS);

    // Switch: the style is loaded, every window of the program restyled and the page in view
    // painted at once; the hidden pages are painted when they come into view, which the second
    // figure adds (each of the seven pages brought into view and painted in the new style).
    std::vector<double> switchTimes;
    std::vector<double> allPagesTimes;
    for (int round = 0; round < 2; ++round) {
        for (const std::wstring& name : names) {
            auto start = std::chrono::steady_clock::now();
            styles.Activate(name);
            auto switched = std::chrono::steady_clock::now();
            for (int page = 0; page < form.Pages.PageCount(); ++page) {
                form.Pages.SetActivePageIndex(page);
                RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            }
            auto painted = std::chrono::steady_clock::now();
            form.Pages.SetActivePageIndex(1);
            Pump();
            switchTimes.push_back(Milliseconds(switched - start));
            allPagesTimes.push_back(Milliseconds(painted - start));
        }
    }
    styles.Activate(L"Windows");
    Pump();
    const DWORD gdiAfter = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD userAfter = GetGuiResources(process, GR_USEROBJECTS);

    // For comparison: loading a style alone, and repainting the page in view with no switch.
    std::vector<double> loadTimes;
    std::vector<double> repaintTimes;
    for (const std::wstring& name : names) {
        auto start = std::chrono::steady_clock::now();
        tw::appearance::LoadEmbeddedStyle(name);
        loadTimes.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        start = std::chrono::steady_clock::now();
        RedrawWindow(form.Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        repaintTimes.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    }
    std::vector<double> pagesTimes;
    for (int round = 0; round < 20; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int page = 0; page < form.Pages.PageCount(); ++page) {
            form.Pages.SetActivePageIndex(page);
            RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
        pagesTimes.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
        form.Pages.SetActivePageIndex(1);
        Pump();
    }
    Figures pages = Summarise(pagesTimes);
    Figures load = Summarise(loadTimes);
    Figures repaint = Summarise(repaintTimes);

    Figures one = Summarise(switchTimes);
    Figures all = Summarise(allPagesTimes);
    std::printf("switches measured: %zu (all %zu styles, twice)\n", switchTimes.size(), names.size());
    std::printf("switch, page in view repainted:          mean %.2f ms, worst %.2f ms\n", one.mean, one.worst);
    std::printf("switch and all seven pages painted:      mean %.2f ms, worst %.2f ms\n", all.mean, all.worst);
    std::printf("for comparison, loading a style alone:    mean %.2f ms, worst %.2f ms\n", load.mean, load.worst);
    std::printf("for comparison, repainting with no switch: mean %.2f ms, worst %.2f ms\n", repaint.mean,
                repaint.worst);
    std::printf("for comparison, the seven pages shown and painted with no switch: mean %.2f ms, worst %.2f ms\n",
                pages.mean, pages.worst);
    std::printf("GDI objects  before %lu, after %lu (difference %ld)\n", gdiBefore, gdiAfter,
                static_cast<long>(gdiAfter) - static_cast<long>(gdiBefore));
    std::printf("USER objects before %lu, after %lu (difference %ld)\n", userBefore, userAfter,
                static_cast<long>(userAfter) - static_cast<long>(userBefore));
    if (gdiBefore == 0 && userBefore == 0) {
        std::printf("(this system reports no object counts: GetGuiResources answered 0)\n");
    }
    return 0;
}
