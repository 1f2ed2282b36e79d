#include "host/module_link.h"

#include "files/library_load_win32.h"
#include "files/library_path.h"

namespace {

// GetProcAddress hands out a generic function pointer; going through void*
// keeps the compiler from warning about the (intended) signature change.
template <typename Function> bool Resolve(HMODULE library, const char* name, Function& out) {
    FARPROC address = GetProcAddress(library, name);
    out = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
    return address != nullptr;
}

const char* FirstMissingRequired(HMODULE library, ModuleExports& exports) {
    if (!Resolve(library, "DemoInit", exports.demoInit)) {
        return "DemoInit";
    }
    if (!Resolve(library, "DemoFree", exports.demoFree)) {
        return "DemoFree";
    }
    if (!Resolve(library, "VerFun", exports.verFun)) {
        return "VerFun";
    }
    if (!Resolve(library, "DemoTick", exports.demoTick)) {
        return "DemoTick";
    }
    if (!Resolve(library, "DemoPaint", exports.demoPaint)) {
        return "DemoPaint";
    }
    if (!Resolve(library, "DemoCommand", exports.demoCommand)) {
        return "DemoCommand";
    }
    return nullptr;
}

} // namespace

bool ModuleLink::Load(const std::string& path, std::string& problem) {
    Unload();
    if (!IsFullPath(path.c_str())) {
        problem = "cannot load " + path + ": not a full path (the program's folder is unknown)";
        return false;
    }
    HMODULE library = LoadLibraryAt(path.c_str());
    if (library == nullptr) {
        problem = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    ModuleExports exports{};
    if (const char* missing = FirstMissingRequired(library, exports)) {
        problem = path + " has no export " + missing;
        FreeLibrary(library);
        return false;
    }
    Resolve(library, "DemoHelp", exports.demoHelp);
    Resolve(library, "DemoFun", exports.demoFun);
    library_ = library;
    exports_ = exports;
    path_ = path;
    return true;
}

void ModuleLink::Unload() {
    if (library_ != nullptr) {
        FreeLibrary(library_);
        library_ = nullptr;
    }
    exports_ = ModuleExports{};
}
