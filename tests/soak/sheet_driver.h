// Works the module's order sheet as a user would, from inside its modal
// loop: a hook sees each dialog as it is set up and posts the user's next
// input, so DemoCommand 1906 returns when the user is done.
#pragma once

#include <windows.h>

struct SheetVisit {
    bool enterQuantity = false; // type a quantity on the first line first
    bool print = false;         // press Print and answer the print dialog with OK
};

// What the hook saw, for checking that every visit went as planned.
struct SheetVisitCounts {
    int sheets = 0;
    int entries = 0;
    int printDialogs = 0;
    int printingDialogs = 0;
    int otherDialogs = 0;
};

class SheetDriver {
  public:
    SheetDriver();
    ~SheetDriver();
    // Runs one visit through the host's command; DemoCommand's result.
    int Visit(int(__stdcall* demoCommand)(int, LPARAM), const SheetVisit& visit);
    const SheetVisitCounts& counts() const;
};
