#include "test_support.h"

#include <fstream>
#include <sstream>

std::map<DWORD, std::string> hostTexts = {
    {6145, "Test Demonstration"},
    {8318, "Page one"},
};

std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void PumpMessages(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

void __stdcall TestHostText(DWORD id, char* buffer, int bufferSize) {
    auto found = hostTexts.find(id);
    const std::string text = found == hostTexts.end() ? "" : found->second;
    lstrcpynA(buffer, text.c_str(), bufferSize);
}

namespace {
const char kHostClass[] = "BrenkTestHost";
}

TestHostWindow::TestHostWindow(int clientWidth, int clientHeight) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = kHostClass;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass); // fails harmlessly when already registered
    RECT frame = {0, 0, clientWidth, clientHeight};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    window_ =
        CreateWindowA(kHostClass, "test host", style, 0, 0, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    PumpMessages(50);
}

TestHostWindow::~TestHostWindow() {
    if (IsWindow(window_))
        DestroyWindow(window_);
    PumpMessages(20);
}

LRESULT CALLBACK TestHostWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: {
        self->commands.push_back({wParam, lParam});
        const WORD id = LOWORD(wParam);
        if (id >= 1908 && id <= 1910 && self->onModuleQuery)
            return self->onModuleQuery(wParam, lParam);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (self->onPaint)
            self->onPaint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

template <typename Fn> static void Resolve(HMODULE module, const char* name, Fn& fn) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool ModuleExports::Load(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    if (!module)
        return false;
    Resolve(module, "DemoInit", DemoInit);
    Resolve(module, "DemoFree", DemoFree);
    Resolve(module, "VerFun", VerFun);
    Resolve(module, "DemoFun", DemoFun);
    Resolve(module, "DllFPError", DllFPError);
    Resolve(module, "DemoTick", DemoTick);
    Resolve(module, "DemoPaint", DemoPaint);
    Resolve(module, "DemoCommand", DemoCommand);
    Resolve(module, "DemoSetup", DemoSetup);
    Resolve(module, "OpenIC", OpenIC);
    Resolve(module, "SetIC", SetIC);
    Resolve(module, "CloseIC", CloseIC);
    Resolve(module, "PavloWndProc", PavloWndProc);
    return true;
}

void ModuleExports::Unload() {
    if (module)
        FreeLibrary(module);
    *this = ModuleExports{};
}

COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y);
}

MemorySurface::MemorySurface(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

MemorySurface::~MemorySurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

RECT MemorySurface::InkBounds() const {
    RECT box = {width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if ((GetPixel(dc_, x, y) & 0xFFFFFF) != 0xFFFFFF) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.right == 0)
        return RECT{0, 0, 0, 0};
    return box;
}
