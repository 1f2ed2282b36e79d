// The loaded module (brenk_C.dll) and its exports, looked up by name.
#pragma once

#include <windows.h>

#include <string>

// The host's text callback as the module calls it.
typedef void(__stdcall* HostTextFunction)(DWORD textId, char* buffer, int bufferSize);

struct ModuleExports {
    // Required: without any of these the module cannot be shown.
    int(__stdcall* demoInit)(HWND, HINSTANCE, HostTextFunction, const char*, int);
    void(__stdcall* demoFree)();
    const char*(__stdcall* verFun)(HWND, void*, int, int);
    int(__stdcall* demoTick)(HWND);
    int(__stdcall* demoPaint)(HDC);
    int(__stdcall* demoCommand)(int, LPARAM);
    // Optional: null when the module lacks them.
    int(__stdcall* demoHelp)(HWND, HINSTANCE, HostTextFunction, int);
    int(__stdcall* demoFun)(int);
};

class ModuleLink {
  public:
    ModuleLink() = default;
    ModuleLink(const ModuleLink&) = delete;
    ModuleLink& operator=(const ModuleLink&) = delete;
    ~ModuleLink() { Unload(); }

    // Loads the library at `path` and resolves its exports. On failure nothing
    // stays loaded and `problem` says what went wrong.
    bool Load(const std::string& path, std::string& problem);
    void Unload();
    bool IsLoaded() const { return library_ != nullptr; }
    const ModuleExports& Exports() const { return exports_; }
    const std::string& Path() const { return path_; }

  private:
    HMODULE library_ = nullptr;
    ModuleExports exports_{};
    std::string path_;
};
