#include "process_census.h"

// The census reads what newer systems offer (GetProcessHandleCount); the
// shipped binaries keep to XP, a test need not.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

// Measures by exhaustion go at most this far; more than any process here
// holds, less than Wine's and Windows' limits.
// The probe for GDI objects goes at most this far: beyond Wine's limit of
// 65536 handles, so the probe ends where the objects run out.
constexpr long kGdiProbeLimit = 70000;

// GetGuiResources answers 0 under Wine: there the objects in use are read as
// the headroom lost, by creating small objects until no more can be made.
long GdiObjectsInUse() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<long>(reported);
    std::vector<HRGN> probes;
    probes.reserve(kGdiProbeLimit);
    while (static_cast<long>(probes.size()) < kGdiProbeLimit) {
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        if (!region)
            break;
        probes.push_back(region);
    }
    for (HRGN region : probes)
        DeleteObject(region);
    return kGdiProbeLimit - static_cast<long>(probes.size());
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountIfOurs(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<long*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

long WindowsOfThisProcess() {
    long count = 0;
    EnumWindows(CountIfOurs, reinterpret_cast<LPARAM>(&count));
    // Message-only windows are not top-level windows to EnumWindows.
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        CountIfOurs(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The system handle list, as ntdll gives it (class 16).
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
typedef LONG(WINAPI* QuerySystemInformationFn)(ULONG, PVOID, ULONG, PULONG);

long HandlesInSystemList() {
    auto query = reinterpret_cast<QuerySystemInformationFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return -1;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004)) { // length mismatch: grow and ask again
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0)
            return -1;
        break;
    }
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->entries[i].ownerPid == GetCurrentProcessId())
            ++count;
    return count;
}

// GetProcessHandleCount answers 0 under Wine; the system list does not.
long KernelHandles() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return static_cast<long>(count);
    return HandlesInSystemList();
}

long FreeTlsIndexes() {
    std::vector<DWORD> taken;
    for (DWORD index = TlsAlloc(); index != TLS_OUT_OF_INDEXES; index = TlsAlloc())
        taken.push_back(index);
    for (DWORD index : taken)
        TlsFree(index);
    return static_cast<long>(taken.size());
}

long long CommittedPrivateBytes() {
    long long total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr;
         VirtualQuery(address, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += static_cast<long long>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

volatile LONG faults = 0;

LONG CALLBACK CountFault(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        InterlockedIncrement(&faults);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

ProcessCensus TakeCensus() {
    ProcessCensus census;
    census.gdiObjects = GdiObjectsInUse();
    census.windows = WindowsOfThisProcess();
    census.kernelHandles = KernelHandles();
    census.freeTlsIndexes = FreeTlsIndexes();
    census.committedPrivateBytes = CommittedPrivateBytes();
    return census;
}

void StartCountingFaults() {
    static PVOID handler = AddVectoredExceptionHandler(1, CountFault);
    (void)handler;
}

long FaultsSoFar() {
    return faults;
}

ProcessCensus Growth(const ProcessCensus& before, const ProcessCensus& after) {
    ProcessCensus growth;
    growth.gdiObjects = after.gdiObjects - before.gdiObjects;
    growth.windows = after.windows - before.windows;
    growth.kernelHandles = after.kernelHandles - before.kernelHandles;
    growth.freeTlsIndexes = before.freeTlsIndexes - after.freeTlsIndexes;
    growth.committedPrivateBytes = after.committedPrivateBytes - before.committedPrivateBytes;
    return growth;
}

std::string DescribeGrowth(const ProcessCensus& before, const ProcessCensus& after) {
    const ProcessCensus growth = Growth(before, after);
    char text[512];
    std::snprintf(text, sizeof text,
                  "  GDI objects in use %8ld -> %8ld  (%+ld)\n"
                  "  windows            %8ld -> %8ld  (%+ld)\n"
                  "  kernel handles     %8ld -> %8ld  (%+ld)\n"
                  "  free TLS indexes   %8ld -> %8ld  (%+ld taken)\n"
                  "  committed KiB      %8lld -> %8lld  (%+lld)\n",
                  before.gdiObjects, after.gdiObjects, growth.gdiObjects, before.windows,
                  after.windows, growth.windows, before.kernelHandles, after.kernelHandles,
                  growth.kernelHandles, before.freeTlsIndexes, after.freeTlsIndexes,
                  growth.freeTlsIndexes, before.committedPrivateBytes / 1024,
                  after.committedPrivateBytes / 1024, growth.committedPrivateBytes / 1024);
    return text;
}

std::string GrowthLine(const ProcessCensus& growth) {
    char text[160];
    std::snprintf(text, sizeof text, "GDI %+ld, windows %+ld, handles %+ld, TLS %+ld, KiB %+lld",
                  growth.gdiObjects, growth.windows, growth.kernelHandles, growth.freeTlsIndexes,
                  growth.committedPrivateBytes / 1024);
    return text;
}
