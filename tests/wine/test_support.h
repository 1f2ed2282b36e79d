// Shared pieces of the Windows tests: a host window that records what the
// module sends it, a host text table, message pumping and the module's exports.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Folder of the running test program, with a trailing backslash.
std::string ProgramFolder();
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& text);
std::vector<std::string> SplitLines(const std::string& text);

// Dispatches messages for `milliseconds`.
void PumpMessages(DWORD milliseconds);
// Dispatches messages until `done` holds or the time runs out; its result.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The host's texts by id, answered through TestHostText.
extern std::map<DWORD, std::string> hostTexts;
void __stdcall TestHostText(DWORD id, char* buffer, int bufferSize);

// A top-level window standing in for the host's main window; it records
// every WM_COMMAND it receives and paints through the module when asked.
class TestHostWindow {
  public:
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
    };
    TestHostWindow(int clientWidth, int clientHeight);
    ~TestHostWindow();
    HWND handle() const { return window_; }
    std::vector<Command> commands;
    // Called from WM_PAINT with the paint DC when set.
    std::function<void(HDC)> onPaint;
    // Answer to WM_COMMAND ids the module sends (1908..1910).
    std::function<LRESULT(WPARAM, LPARAM)> onModuleQuery;

  private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
};

// The module's exports, looked up by their undecorated names.
struct ModuleExports {
    HMODULE module = nullptr;
    int(__stdcall* DemoInit)(HWND, HINSTANCE, void*, const char*, int) = nullptr;
    void(__stdcall* DemoFree)() = nullptr;
    const char*(__stdcall* VerFun)(HWND, void*, int, int) = nullptr;
    int(__stdcall* DemoFun)(int) = nullptr;
    int(__stdcall* DllFPError)(int) = nullptr;
    int(__stdcall* DemoTick)(HWND) = nullptr;
    int(__stdcall* DemoPaint)(HDC) = nullptr;
    int(__stdcall* DemoCommand)(int, LPARAM) = nullptr;
    void(__stdcall* DemoSetup)(const char*, char*, int) = nullptr;
    int(__stdcall* OpenIC)(int, int, int, int, int, int, int) = nullptr;
    int(__stdcall* SetIC)(int, int, int, int, int, int) = nullptr;
    int(__stdcall* CloseIC)() = nullptr;
    LRESULT(__stdcall* PavloWndProc)(HWND, UINT, WPARAM, LPARAM) = nullptr;

    // Loads the module from `path` (default: beside the test program).
    bool Load(const std::string& path = ProgramFolder() + "brenk_C.dll");
    void Unload();
};

// Colour of a pixel of a DC, as COLORREF.
COLORREF PixelAt(HDC dc, int x, int y);

// A memory DC with a white 24-bit bitmap of the given size.
class MemorySurface {
  public:
    MemorySurface(int width, int height);
    ~MemorySurface();
    HDC dc() const { return dc_; }
    // Bounding box of the pixels that are not white; empty when none.
    RECT InkBounds() const;

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    int width_, height_;
};
