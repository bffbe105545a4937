// Prints how long one history line costs with a long history under Wine or Windows: the append
// to the history memo, the summary rebuild and the summary memo refresh.
#include <windows.h>
#include <ole2.h>

#include <chrono>
#include <cstdio>

#include "app/tapwhile_form.h"
#include "history/history_line.h"
#include "platform/clock.h"
#include "platform/input_services.h"
#include "platform/system_services.h"

namespace {

class SteadyClock : public tw::Clock {
public:
    tw::DateTime now = tw::DateTime::FromParts(2025, 12, 19, 10, 0, 0).value();
    tw::DateTime LocalNow() override { return now; }
    std::int32_t UtcOffsetMinutes(tw::DateTime) override { return 9 * 60; }
};

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    tw::ui::Application& app = tw::ui::Application::Instance();
    app.Initialize(GetModuleHandleW(nullptr));
    app.SetTitle(tw::AppTitle);
    tw::WinInputServices input;
    SteadyClock clock;
    tw::WinDialogs dialogs;
    tw::WinShell shell;
    tw::WinPaths paths;
    tw::TTapwhileForm form({input, clock, dialogs, shell, paths, tw::FormatSettings::Japanese()});

    // 100,000 lines, one a minute, ending shortly before now.
    const int count = 100'000;
    tw::DateTime first = clock.now.AddMilliseconds(-static_cast<std::int64_t>(count) * 60'000);
    form.AttachTime0 = first;
    std::vector<std::wstring> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        lines.push_back(tw::HistoryLine(first.AddMilliseconds(static_cast<std::int64_t>(i) * 60'000),
                                        L"#" + std::to_wstring(i + 1) + L" $9F after 00:00:57.600 96.0%",
                                        tw::FormatSettings::Japanese()));
    }
    auto start = std::chrono::steady_clock::now();
    form.Memo1.SetLines(lines);
    auto loaded = std::chrono::steady_clock::now();
    std::printf("load of %d lines into the history memo: %.1f ms\n", count, Milliseconds(loaded - start));

    // The first line after the load fills the empty summary memo whole; later ones change its end.
    clock.now = clock.now.AddMilliseconds(60'000);
    auto firstStart = std::chrono::steady_clock::now();
    form.AddLog(L"#" + std::to_wstring(count) + L" $9F after 00:00:57.600 96.0%");
    std::printf("first AddLog after the load (fills the summary memo): %.1f ms\n",
                Milliseconds(std::chrono::steady_clock::now() - firstStart));

    const int rounds = 5;
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
        clock.now = clock.now.AddMilliseconds(60'000);
        auto before = std::chrono::steady_clock::now();
        form.AddLog(L"#" + std::to_wstring(count + i + 1) + L" $9F after 00:00:57.600 96.0%");
        total += Milliseconds(std::chrono::steady_clock::now() - before);
    }
    std::printf("one AddLog with a %d-line history (%d buckets): %.1f ms on average over %d (target: under 50 ms)\n",
                count, form.Memo2.LineCount(), total / rounds, rounds);
    OleUninitialize();
    return 0;
}
