// A host that runs the module for a long time and looks at itself: load,
// open, tick, paint, free and unload hundreds of times, the order sheet,
// restarts, setup and port calls, printing and card conversions, and once an
// unload while the slide show still plays. Counted from the process, before
// and after: GDI objects, windows, kernel handles, TLS indexes, committed
// memory, and access violations. Nothing may grow beyond what Wine itself
// takes on first use, and every answer must still be right at the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "process_census.h"
#include "sheet_driver.h"
#include "test_support.h"

namespace {

// Allowances, measured on Wine 8 after one warm-up round of everything: what
// Wine keeps from a first use it makes during the run (fonts, the print
// dialog's objects), never proportional to the number of cycles.
constexpr long kGdiAllowance = 16;
constexpr long kWindowAllowance = 0;
constexpr long kHandleAllowance = 8;
constexpr long kTlsAllowance = 0;
constexpr long long kMemoryAllowance = 4LL << 20;

constexpr int kSessionCycles = 300;
constexpr int kBareCycles = 1500;
constexpr int kSheetVisits = 300;
constexpr int kRestarts = 3000;
constexpr int kPortAndSetupCalls = 10000;
constexpr int kPrintJobs = 20;
constexpr int kConversions = 1000;

const char kShowClass[] = "PavloWCl";
const char kModuleName[] = "brenk_C.dll";

// --- The host window ---------------------------------------------------------

// A plain top-level window that paints through the module while asked to.
struct SoakHost {
    static int(__stdcall* demoPaint)(HDC);

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (demoPaint)
                demoPaint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static HWND Create() {
        static ATOM registered = [] {
            WNDCLASSA windowClass = {};
            windowClass.lpfnWndProc = Procedure;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
            windowClass.lpszClassName = "BrenkSoakHost";
            return RegisterClassA(&windowClass);
        }();
        (void)registered;
        HWND window =
            CreateWindowA("BrenkSoakHost", "soak host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                          720, 560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(window, SW_SHOW);
        return window;
    }
};
int(__stdcall* SoakHost::demoPaint)(HDC) = nullptr;

void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND ShowWindowOf(HWND host) {
    return FindWindowExA(host, nullptr, kShowClass, nullptr);
}

// --- One loaded module with an open session -----------------------------------

struct Session {
    ModuleExports module;
    HWND host = nullptr;

    bool Open() {
        if (!module.Load(ProgramFolder() + kModuleName))
            return false;
        SoakHost::demoPaint = module.DemoPaint;
        host = SoakHost::Create();
        const std::string folder = ProgramFolder(); // holds the sample catalogue
        return module.DemoInit(host, GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), folder.c_str(), 0) == 1;
    }

    void Paint() {
        InvalidateRect(host, nullptr, FALSE);
        UpdateWindow(host);
    }

    // As a host ends a demonstration: free, window gone, module unloaded.
    void Close(bool freeFirst = true) {
        if (freeFirst && module.DemoFree)
            module.DemoFree();
        DestroyWindow(host);
        Drain();
        SoakHost::demoPaint = nullptr;
        module.Unload();
        host = nullptr;
    }
};

bool ModuleIsLoaded() {
    return GetModuleHandleA(kModuleName) != nullptr;
}

// --- The rounds ----------------------------------------------------------------

// Each round returns how many answers were wrong.

int SessionRound(int cycles) {
    int wrong = 0;
    for (int i = 0; i < cycles; ++i) {
        Session session;
        if (!session.Open() || !ShowWindowOf(session.host))
            ++wrong;
        for (int tick = 0; tick < 3; ++tick) {
            if (session.module.DemoTick(session.host) != 0)
                ++wrong;
            Drain();
        }
        session.Paint();
        session.Close();
        if (ModuleIsLoaded())
            ++wrong;
    }
    return wrong;
}

int BareLoadRound(int cycles) {
    int wrong = 0;
    const std::string path = ProgramFolder() + kModuleName;
    for (int i = 0; i < cycles; ++i) {
        HMODULE module = LoadLibraryA(path.c_str());
        if (!module)
            ++wrong;
        else
            FreeLibrary(module);
    }
    return wrong;
}

int SheetRound(int visits, int jobs) {
    Session session;
    int wrong = session.Open() ? 0 : 1;
    SheetDriver driver;
    for (int i = 0; i < visits; ++i) {
        SheetVisit visit;
        visit.enterQuantity = i % 3 == 0;
        if (session.module.DemoCommand && driver.Visit(session.module.DemoCommand, visit) != 0)
            ++wrong;
    }
    for (int i = 0; i < jobs; ++i) {
        SheetVisit visit;
        visit.print = true;
        if (driver.Visit(session.module.DemoCommand, visit) != 0)
            ++wrong;
    }
    const SheetVisitCounts& seen = driver.counts();
    if (seen.sheets != visits + jobs || seen.entries != (visits + 2) / 3 ||
        seen.printDialogs != jobs || seen.printingDialogs != jobs || seen.otherDialogs != 0) {
        std::printf("order sheet: %d sheets, %d entries, %d print dialogs, %d printing, %d other\n",
                    seen.sheets, seen.entries, seen.printDialogs, seen.printingDialogs,
                    seen.otherDialogs);
        ++wrong;
    }
    session.Close();
    return wrong;
}

// Restarts, each with a page change there and back, every one painted.
int RestartRound(int restarts) {
    Session session;
    int wrong = session.Open() ? 0 : 1;
    for (int i = 0; i < restarts; ++i) {
        if (session.module.DemoInit(nullptr, nullptr, nullptr, nullptr, i % 7) != 1 ||
            session.module.DemoCommand(1901, 0) != 0 || session.module.DemoCommand(1902, 0) != 0)
            ++wrong;
        session.Paint();
        if (i % 50 == 0)
            Drain();
    }
    session.Close();
    return wrong;
}

int PortAndSetupRound(int calls) {
    ModuleExports module;
    if (!module.Load(ProgramFolder() + kModuleName))
        return 1;
    int wrong = 0;
    char value[64];
    for (int i = 0; i < calls / 4; ++i) {
        module.DemoSetup("scale1", value, sizeof value);
        if (std::string(value) != "0")
            ++wrong;
        if (module.OpenIC(0, 0, 0, 0, 0, 0, 0) != 1)
            ++wrong;
        if (module.SetIC(1 + i % 8, 9600, 8, 0, 1, 0) != 1)
            ++wrong;
        if (module.CloseIC() != 1)
            ++wrong;
    }
    module.Unload();
    return wrong;
}

std::string Word(uint32_t word) {
    const char bytes[] = {static_cast<char>(word >> 24), static_cast<char>(word >> 16),
                          static_cast<char>(word >> 8), static_cast<char>(word)};
    return std::string(bytes, 4);
}

int ConversionRound(int conversions) {
    ModuleExports module;
    if (!module.Load(ProgramFolder() + kModuleName))
        return 1;
    using ConvertFn = int32_t(__stdcall*)(const char*, const char*);
    auto convert = reinterpret_cast<ConvertFn>(
        reinterpret_cast<void*>(GetProcAddress(module.module, "ConvPCCardFun")));
    // One block of one quantity, ten words, then the end mark.
    std::string image =
        Word(0x7FFF0005) + Word(731426) + Word(45296) + Word(60) + Word(2) + Word(0) + Word(4);
    for (uint32_t word = 1; word <= 10; ++word)
        image += Word(word);
    image += Word(0xFFFFFFFF);
    WriteWholeFile("soak.img", image);
    int wrong = convert ? 0 : 1;
    std::string first;
    for (int i = 0; convert && i < conversions; ++i) {
        if (convert("soak.mdf", "soak.img") != 0)
            ++wrong;
        const std::string written = ReadWholeFile("soak.mdf");
        if (i == 0)
            first = written;
        if (written.empty() || written != first)
            ++wrong;
    }
    module.Unload();
    return wrong;
}

// Ends the session, or only unloads the module, while the show still plays;
// then the host window gets the messages a host window gets.
int UnloadDuringShow(bool freeFirst) {
    Session session;
    int wrong = session.Open() ? 0 : 1;
    HWND host = session.host;
    if (!ShowWindowOf(host))
        ++wrong;
    if (freeFirst)
        session.module.DemoFree();
    SoakHost::demoPaint = nullptr; // the host paints without the module now
    session.module.Unload();
    if (ModuleIsLoaded() || ShowWindowOf(host))
        ++wrong;
    MoveWindow(host, 10, 10, 700, 540, TRUE);
    SendMessageA(host, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(host, WM_PALETTECHANGED, 0, 0);
    InvalidateRect(host, nullptr, TRUE);
    UpdateWindow(host);
    PumpMessages(100);
    DestroyWindow(host);
    Drain();
    return wrong;
}

bool PrintServerRuns() {
    const char* pdfFolder = std::getenv("BRENK_PDF_DIR");
    return pdfFolder && *pdfFolder;
}

struct Round {
    const char* name;
    int (*run)(bool warmUp);
};

const Round kRounds[] = {
    {"load, DemoInit, ticks, paint, DemoFree, unload",
     [](bool warmUp) { return SessionRound(warmUp ? 1 : kSessionCycles); }},
    {"bare load and unload", [](bool warmUp) { return BareLoadRound(warmUp ? 1 : kBareCycles); }},
    {"order sheet visits and print jobs",
     [](bool warmUp) {
         const int jobs = PrintServerRuns() ? (warmUp ? 1 : kPrintJobs) : 0;
         return SheetRound(warmUp ? 3 : kSheetVisits, jobs);
     }},
    {"restarts with page changes and paints",
     [](bool warmUp) { return RestartRound(warmUp ? 1 : kRestarts); }},
    {"DemoSetup, OpenIC, SetIC, CloseIC",
     [](bool warmUp) { return PortAndSetupRound(warmUp ? 4 : kPortAndSetupCalls); }},
    {"card conversions", [](bool warmUp) { return ConversionRound(warmUp ? 1 : kConversions); }},
    {"DemoFree and unload while the show plays", [](bool) { return UnloadDuringShow(true); }},
    {"unload without DemoFree while the show plays", [](bool) { return UnloadDuringShow(false); }},
};

} // namespace

// The measures themselves: each must see what this process takes, or the
// soak would pass by counting nothing.
TEST(Soak, CensusSeesWhatTheProcessHolds) {
    // A thread's first window brings what Wine keeps for every GUI thread.
    auto makeWindow = [] {
        return CreateWindowA("STATIC", "census", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    };
    DestroyWindow(makeWindow());
    const ProcessCensus before = TakeCensus();
    HPEN pens[10];
    for (int i = 0; i < 10; ++i)
        pens[i] = CreatePen(PS_SOLID, 1, RGB(i, 2, 3));
    HWND window = makeWindow();
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const DWORD tls = TlsAlloc();
    void* memory = VirtualAlloc(nullptr, 1 << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const ProcessCensus holding = Growth(before, TakeCensus());
    EXPECT_EQ(holding.gdiObjects, 10);
    EXPECT_GE(holding.windows, 1); // Wine may add an input method window
    EXPECT_EQ(holding.kernelHandles, 1);
    EXPECT_EQ(holding.freeTlsIndexes, 1);
    EXPECT_GE(holding.committedPrivateBytes, 1 << 20);
    for (HPEN pen : pens)
        DeleteObject(pen);
    DestroyWindow(window);
    CloseHandle(event);
    TlsFree(tls);
    VirtualFree(memory, 0, MEM_RELEASE);
}

TEST(Soak, NothingGrowsAndEveryAnswerStaysRight) {
    if (!PrintServerRuns())
        std::printf("no print server (BRENK_PDF_DIR unset): no print jobs in this run\n");
    StartCountingFaults();
    // One round of everything first: Wine sets things up on first use.
    for (const Round& round : kRounds) {
        const long faultsBefore = FaultsSoFar();
        EXPECT_EQ(round.run(true), 0) << "warm-up: " << round.name;
        if (FaultsSoFar() != faultsBefore)
            std::printf("warm-up: %s: %ld faults\n", round.name, FaultsSoFar() - faultsBefore);
    }
    const ProcessCensus early = TakeCensus();
    const long earlyFaults = FaultsSoFar();

    ProcessCensus before = early;
    for (const Round& round : kRounds) {
        const DWORD started = GetTickCount();
        const long faultsBefore = FaultsSoFar();
        const int wrong = round.run(false);
        const ProcessCensus after = TakeCensus();
        std::printf("%-46s %6lu ms, %d wrong, %ld faults; %s\n", round.name,
                    static_cast<unsigned long>(GetTickCount() - started), wrong,
                    FaultsSoFar() - faultsBefore, GrowthLine(Growth(before, after)).c_str());
        std::fflush(stdout);
        EXPECT_EQ(wrong, 0) << round.name;
        before = after;
    }

    const ProcessCensus& end = before;
    const ProcessCensus growth = Growth(early, end);
    const std::string table = DescribeGrowth(early, end);
    std::printf(
        "after the warm-up -> at the end:\n%s  access violations %ld (%ld in the warm-up)\n",
        table.c_str(), FaultsSoFar() - earlyFaults, earlyFaults);
    EXPECT_EQ(FaultsSoFar(), 0);
    EXPECT_LE(growth.gdiObjects, kGdiAllowance) << table;
    EXPECT_LE(growth.windows, kWindowAllowance) << table;
    EXPECT_LE(growth.kernelHandles, kHandleAllowance) << table;
    EXPECT_LE(growth.freeTlsIndexes, kTlsAllowance) << table;
    EXPECT_LE(growth.committedPrivateBytes, kMemoryAllowance) << table;
    EXPECT_FALSE(ModuleIsLoaded());
}
