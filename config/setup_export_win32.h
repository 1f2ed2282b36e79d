// The export through which the host asks for demo settings.
#pragma once

extern "C" void __stdcall DemoSetup(const char* key, char* out, int size);
