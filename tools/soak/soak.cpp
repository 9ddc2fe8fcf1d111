// The soak run's frame: warm-up, figures, cycles, figures, verdict.
#include "soak.h"
#include "driver.h"

#include <ddeml.h>

#include <cmath>
#include <cstdio>
#include <thread>

namespace soak {

namespace {

// The warm-up: at least this many cycles, then more until a cycle adds no
// object (the system fills some caches at the first full painting of a
// window, which a busy machine may put off for a few cycles), at most LIMIT.
const int WARM_UP_CYCLES = 3;
const int WARM_UP_LIMIT = 20;

// The objects counted, as the columns show them.
struct Measure {
    const char* name;
    int width;
    int census::Counts::*count;
};

const Measure OBJECTS[] = {
    {"GDI", 5, &census::Counts::gdiObjects},        {"windows", 7, &census::Counts::windows},
    {"menus", 5, &census::Counts::menus},           {"icons", 5, &census::Counts::icons},
    {"handles", 7, &census::Counts::kernelHandles}, {"atoms", 5, &census::Counts::globalAtoms},
};

// What Wine keeps per mode change and per unanswered DdeConnect, measured.
census::Counts perModeChange = {}, perFailedConnect = {};

HDDEDATA CALLBACK NoTransactions(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR)
{
    return 0;
}

// The growth of this process's figures over `times` repetitions of `call`, per repetition.
template <typename Call>
census::Counts GrowthPerCall(int times, Call call)
{
    census::Counts before = census::TakeOwn();
    for (int i = 0; i < times; ++i)
        call(i);
    census::Counts after = census::TakeOwn(), growth = {};
    for (const Measure& m : OBJECTS)
        growth.*m.count = (after.*m.count - before.*m.count + times / 2) / times;
    return growth;
}

census::Counts Figures(const Subject& subject)
{
    return subject.process ? census::Take(subject.process, BuildFolder() + "\\tests\\CENSUS.DLL")
                           : census::TakeOwn();
}

// What Wine itself may add to `measure` over `cycles` of `action`.
int WinesOwn(const Action& action, int census::Counts::*measure, int cycles)
{
    return cycles * (action.modeChanges * perModeChange.*measure + action.failedConnects * perFailedConnect.*measure);
}

// Whether one cycle of `action` added nothing of the subject's own from `a`
// to `b` (the session's atoms come and go with other processes).
bool NothingAdded(const Action& action, const census::Counts& a, const census::Counts& b)
{
    for (const Measure& m : OBJECTS)
        if (m.count != &census::Counts::globalAtoms && b.*m.count - a.*m.count > WinesOwn(action, m.count, 1))
            return false;
    return true;
}

std::string Figure(int value)
{
    return value < 0 ? "?" : std::to_string(value);
}

double PerThousand(long long growth, int cycles)
{
    return growth * 1000.0 / cycles;
}

void PrintWinesOwn(const char* what, const census::Counts& growth)
{
    std::printf("Wine's own growth per %s:", what);
    for (const Measure& m : OBJECTS)
        if (growth.*m.count)
            std::printf(" %+d %s", growth.*m.count, m.name);
    std::printf("\n");
}

}  // namespace

void MeasureWinesOwnGrowth()
{
    const int TIMES = 6;
    perModeChange = GrowthPerCall(TIMES, [](int i) { driver::SetScreen(i % 2 ? 1024 : 800, i % 2 ? 768 : 600); });
    // On a thread of its own: the windows Wine's DDEML keeps go with it. Left
    // on this thread, which takes no messages, they would hold up every
    // later mode change of every program (the system waits for each window).
    std::thread([] {
        DWORD instance = 0;
        DdeInitializeA(&instance, NoTransactions, APPCMD_CLIENTONLY, 0);
        HSZ nobody = DdeCreateStringHandleA(instance, "NRXNOBODY", CP_WINANSI);
        perFailedConnect = GrowthPerCall(TIMES, [&](int) { DdeConnect(instance, nobody, nobody, NULL); });
        DdeFreeStringHandle(instance, nobody);
        DdeUninitialize(instance);
    }).join();
    PrintWinesOwn("mode change (ChangeDisplaySettingsA)", perModeChange);
    PrintWinesOwn("DdeConnect that finds no server", perFailedConnect);
}

int CyclesAt(int fullCycles, double scale)
{
    int cycles = (int)std::lround(fullCycles * scale);
    if (fullCycles < 10)
        return cycles;
    return cycles < 10 ? 10 : cycles;
}

bool MenuOpensAndCloses(DWORD processId)
{
    HWND menu = NULL;
    if (!driver::WaitFor([&] { return (menu = driver::VisibleMenu(processId)) != NULL; }))
        return false;
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return driver::WaitFor([&] { return driver::VisibleMenu(processId) == NULL; });
}

bool Settled(HWND window)
{
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void PaintedNow(HWND window)
{
    RedrawWindow(window, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::string BuildFolder()
{
    return WINE_BUILD_DIR;
}

void PrintHeading()
{
    std::printf("%-9s %-52s %6s %11s %5s %7s %5s %5s %7s %5s  %s\n", "program", "action", "cycles",
                "private KB", "GDI", "windows", "menus", "icons", "handles", "atoms", "verdict");
    std::printf("%-9s %-52s %6s %11s %5s %7s %5s %5s %7s %5s\n", "", "  (after the warm-up; then growth per 1000 cycles)",
                "", "", "", "", "", "", "", "");
    std::fflush(stdout);
}

bool Run(const Subject& subject, const Action& action, double scale)
{
    int cycles = CyclesAt(action.fullCycles, scale);
    if (cycles == 0) {
        std::printf("%-9s %-52s %6s  (not at this scale)\n", subject.name.c_str(), action.name.c_str(), "0");
        return true;
    }
    int failedAt = -1, n = 0;
    for (; n < WARM_UP_CYCLES && failedAt < 0; ++n)
        if (!action.cycle(n))
            failedAt = n;
    if (action.settle)
        action.settle();
    // The first census costs the counted process memory once.
    census::Counts before = Figures(subject);
    for (bool settled = false; !settled && n < WARM_UP_LIMIT && failedAt < 0; ++n) {
        census::Counts was = Figures(subject);
        if (!action.cycle(n))
            failedAt = n;
        if (action.settle)
            action.settle();
        before = Figures(subject);
        settled = NothingAdded(action, was, before);
    }
    DWORD start = GetTickCount();
    for (int i = 0; i < cycles && failedAt < 0; ++i, ++n)
        if (!action.cycle(n))
            failedAt = n;
    DWORD elapsed = GetTickCount() - start;
    if (action.settle)
        action.settle();
    census::Counts after = Figures(subject);

    std::string verdict = "held";
    long long memoryGrowth = after.privateBytes - before.privateBytes;
    if (failedAt >= 0)
        verdict = "FAILED at cycle " + std::to_string(failedAt);
    else if (before.privateBytes >= 0 && memoryGrowth > MEMORY_SLACK + MEMORY_PER_CYCLE * cycles)
        verdict = "GREW (memory)";
    std::printf("%-9s %-52s %6d %11lld", subject.name.c_str(), action.name.c_str(), cycles,
                before.privateBytes / 1024);
    for (const Measure& m : OBJECTS)
        std::printf(" %*s", m.width, Figure(before.*m.count).c_str());
    std::printf("\n%-9s %-52s %6s %+11.1f", "", ("  " + std::to_string(elapsed / cycles) + " ms a cycle").c_str(), "",
                PerThousand(memoryGrowth, cycles) / 1024);
    std::string winesOwn;
    for (const Measure& m : OBJECTS) {
        int was = before.*m.count, is = after.*m.count;
        std::string shown = "?";
        if (was >= 0 && is >= 0) {
            char text[32];
            std::snprintf(text, sizeof(text), "%+.0f", PerThousand(is - was, cycles));
            shown = text;
            int wines = WinesOwn(action, m.count, cycles);
            if (wines)
                winesOwn += " " + std::to_string(wines) + " " + m.name;
            bool judged = !(action.settle && m.count == &census::Counts::globalAtoms);
            if (judged && is - was > OBJECT_SLACK + wines && verdict == "held")
                verdict = std::string("GREW (") + m.name + ")";
        }
        std::printf(" %*s", m.width, shown.c_str());
    }
    std::printf("  %s%s\n", verdict.c_str(), winesOwn.empty() ? "" : (" (Wine's own:" + winesOwn + ")").c_str());
    std::fflush(stdout);
    return verdict == "held";
}

}  // namespace soak
