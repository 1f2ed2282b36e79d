#include "config/setup_export_win32.h"
#include "config/setup_table.h"

// The host asks for its settings here while a demonstration runs.
extern "C" void __stdcall DemoSetup(const char* key, char* out, int size) {
    LookupSetupValue(key, out, size);
}
