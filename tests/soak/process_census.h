// What a process holds, counted from the outside: a host's view of whether
// loading, running and unloading the module leaves anything behind.
#pragma once

#include <string>

struct ProcessCensus {
    long gdiObjects = 0;    // GDI objects in use (see GdiObjectsInUse)
    long windows = 0;       // windows of this process's threads, children included
    long kernelHandles = 0; // the process's kernel handles
    long freeTlsIndexes = 0;
    long long committedPrivateBytes = 0;
};

ProcessCensus TakeCensus();

// Counts access violations from here on, also those a window procedure's
// caller would swallow (a vectored handler sees them first).
void StartCountingFaults();
long FaultsSoFar();

// How much more the process holds in `after` than in `before`, measure by
// measure (free TLS indexes count as held when they are gone).
ProcessCensus Growth(const ProcessCensus& before, const ProcessCensus& after);

// One line per measure: before, after and the growth.
std::string DescribeGrowth(const ProcessCensus& before, const ProcessCensus& after);
// The growth on one line.
std::string GrowthLine(const ProcessCensus& growth);
