// The module alone in its folder: no show library and no interface library.
// It still loads, runs its pages and answers the port calls as "not there".
// A show library in the current folder or on PATH is never loaded; one in the
// program's folder or the module's own is.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace {

bool Received(const TestHostWindow& host, int id) {
    return std::any_of(host.commands.begin(), host.commands.end(),
                       [id](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == id; });
}

// The stand-in show library, from the build's shared bin folder beside this
// program's isolated one.
std::string StandInShowLibrary() {
    return ProgramFolder() + "..\\bin\\PAVLO.DLL";
}

std::string CurrentFolder() {
    char folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder, length < MAX_PATH ? length : 0) + "\\";
}

// Where the show library came from; empty while none is loaded.
std::string LoadedShowLibrary() {
    char path[MAX_PATH];
    HMODULE library = GetModuleHandleA("PAVLO.DLL");
    const DWORD length = library ? GetModuleFileNameA(library, path, MAX_PATH) : 0;
    return std::string(path, length < MAX_PATH ? length : 0);
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// Copies of the stand-in where a planted library would lie: the current
// folder and a folder put first on PATH. Each logs any call and its unload
// to the file PAVLO_LOG names; all go again at the end.
class PlantedShowLibraries {
  public:
    PlantedShowLibraries() {
        CreateDirectoryA(pathFolder_.c_str(), nullptr);
        EXPECT_TRUE(CopyFileA(StandInShowLibrary().c_str(), inCurrent_.c_str(), FALSE));
        EXPECT_TRUE(CopyFileA(StandInShowLibrary().c_str(), onPath_.c_str(), FALSE));
        char path[32767];
        const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
        oldPath_.assign(path, length < sizeof path ? length : 0);
        SetEnvironmentVariableA("PATH", (pathFolder_ + ";" + oldPath_).c_str());
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("PAVLO_LOG", log_.c_str());
    }
    ~PlantedShowLibraries() {
        SetEnvironmentVariableA("PAVLO_LOG", nullptr);
        SetEnvironmentVariableA("PATH", oldPath_.c_str());
        DeleteFileA(inCurrent_.c_str());
        DeleteFileA(onPath_.c_str());
        RemoveDirectoryA(pathFolder_.c_str());
    }
    // True when no planted copy was loaded, not even for a moment.
    bool Untouched() const { return GetFileAttributesA(log_.c_str()) == INVALID_FILE_ATTRIBUTES; }

  private:
    const std::string pathFolder_ = CurrentFolder() + "on-path";
    const std::string inCurrent_ = CurrentFolder() + "PAVLO.DLL";
    const std::string onPath_ = pathFolder_ + "\\PAVLO.DLL";
    const std::string log_ = CurrentFolder() + "planted.log";
    std::string oldPath_;
};

// Opens a session with the module at `modulePath` and tells where its show
// library came from, while the show plays.
std::string ShowLibraryLoadedBy(const std::string& modulePath) {
    ModuleExports exports;
    EXPECT_TRUE(exports.Load(modulePath)) << modulePath;
    if (!exports.module)
        return "";
    std::string loaded;
    {
        TestHostWindow host(700, 560);
        EXPECT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                                   reinterpret_cast<void*>(&TestHostText), "", 0),
                  1);
        EXPECT_NE(FindWindowExA(host.handle(), nullptr, "PavloWCl", nullptr), nullptr);
        loaded = LoadedShowLibrary();
        exports.DemoFree();
    }
    exports.Unload();
    EXPECT_EQ(GetModuleHandleA("PAVLO.DLL"), nullptr);
    return loaded;
}

} // namespace

TEST(MissingLibraries, PortCallsReportTheLibraryMissing) {
    ASSERT_EQ(GetFileAttributesA((ProgramFolder() + "FENNIK.DLL").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    EXPECT_EQ(exports.SetIC(1, 2, 3, 4, 5, 6), -1);
    EXPECT_EQ(exports.CloseIC(), 0);
    EXPECT_EQ(exports.OpenIC(0, 0, 0, 0, 0, 0, 0), 1);
    exports.Unload();
}

TEST(MissingLibraries, WithoutTheShowDemoInitAsksForTheNextPage) {
    ASSERT_EQ(GetFileAttributesA((ProgramFolder() + "PAVLO.DLL").c_str()), INVALID_FILE_ATTRIBUTES);
    const PlantedShowLibraries planted;
    ModuleExports exports;
    ASSERT_TRUE(exports.Load());
    TestHostWindow host(700, 560);
    ASSERT_EQ(exports.DemoInit(host.handle(), GetModuleHandleA(nullptr),
                               reinterpret_cast<void*>(&TestHostText), "", 0),
              1);
    EXPECT_EQ(FindWindowExA(host.handle(), nullptr, "PavloWCl", nullptr), nullptr)
        << "the empty show window is destroyed again";
    EXPECT_EQ(LoadedShowLibrary(), "") << "never from the current folder or PATH";
    PumpMessages(200);
    // Script 0 is selected, so the module posts "next" itself, exactly once.
    EXPECT_TRUE(Received(host, 1901));
    EXPECT_FALSE(Received(host, 1903));
    EXPECT_EQ(
        std::count_if(host.commands.begin(), host.commands.end(),
                      [](const TestHostWindow::Command& c) { return LOWORD(c.wParam) == 1901; }),
        1);
    EXPECT_EQ(exports.DemoCommand(1901, 0), 0);
    exports.DemoFree();
    exports.Unload();
    EXPECT_TRUE(planted.Untouched());
}

TEST(MissingLibraries, TheShowLibraryComesFromTheProgramThenTheModuleFolder) {
    const std::string besideProgram = ProgramFolder() + "PAVLO.DLL";
    ASSERT_TRUE(CopyFileA(StandInShowLibrary().c_str(), besideProgram.c_str(), FALSE));
    EXPECT_PRED2(SamePath, ShowLibraryLoadedBy(ProgramFolder() + "brenk_C.dll"), besideProgram);
    EXPECT_TRUE(DeleteFileA(besideProgram.c_str()));

    // The module in a folder of its own, the library beside it only.
    const std::string moduleFolder = ProgramFolder() + "module\\";
    CreateDirectoryA(moduleFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "brenk_C.dll").c_str(),
                          (moduleFolder + "brenk_C.dll").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(StandInShowLibrary().c_str(), (moduleFolder + "PAVLO.DLL").c_str(), FALSE));
    EXPECT_PRED2(SamePath, ShowLibraryLoadedBy(moduleFolder + "brenk_C.dll"),
                 moduleFolder + "PAVLO.DLL");
    DeleteFileA((moduleFolder + "brenk_C.dll").c_str());
    DeleteFileA((moduleFolder + "PAVLO.DLL").c_str());
    RemoveDirectoryA(moduleFolder.c_str());
}
