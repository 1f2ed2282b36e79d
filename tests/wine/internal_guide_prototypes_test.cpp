// The integration guide's C prototypes against the module's own
// declarations: this file includes both, so a prototype that differs from
// the module's in a type fails to compile ("conflicting declaration"), and
// one with other argument sizes fails to link (32-bit stdcall names carry
// them). The guide's block is extracted into guide_prototypes.h at build time.
// The module declares its exports through the host's header include/brenk_C.h,
// whose pointer types for GetProcAddress are checked here too.
#include <gtest/gtest.h>

#include "card/card_export_win32.h"
#include "config/setup_export_win32.h"
#include "frame/exports.h"
#include "help/help_dialog.h"
#include "order/order_sheet.h"
#include "order/quantity_entry.h"
#include "port/port_exports_win32.h"
#include "print/print_job.h"

#include "guide_prototypes.h"

namespace {

TEST(GuidePrototypes, EveryPrototypeNamesAFunctionOfTheModule) {
    // Taking the addresses makes the linker resolve each name as the guide
    // declares it.
    const void* const functions[] = {
        reinterpret_cast<const void*>(&DemoInit),
        reinterpret_cast<const void*>(&DemoFree),
        reinterpret_cast<const void*>(&DemoTick),
        reinterpret_cast<const void*>(&DemoPaint),
        reinterpret_cast<const void*>(&DemoCommand),
        reinterpret_cast<const void*>(&DemoHelp),
        reinterpret_cast<const void*>(&VerFun),
        reinterpret_cast<const void*>(&DemoFun),
        reinterpret_cast<const void*>(&DllFPError),
        reinterpret_cast<const void*>(&DemoSetup),
        reinterpret_cast<const void*>(&ConvPCCardFun),
        reinterpret_cast<const void*>(&OpenIC),
        reinterpret_cast<const void*>(&SetIC),
        reinterpret_cast<const void*>(&CloseIC),
        reinterpret_cast<const void*>(&PavloWndProc),
        reinterpret_cast<const void*>(&DemoHelpSelProc),
        reinterpret_cast<const void*>(&OrderSheetProc),
        reinterpret_cast<const void*>(&EnterDlgProc),
        reinterpret_cast<const void*>(&PrintDlgProc),
        reinterpret_cast<const void*>(&AbortProc),
    };
    for (const void* function : functions)
        EXPECT_NE(function, nullptr);
    // The callback type the guide gives a host is the module's own.
    EXPECT_TRUE((std::is_same<BrenkHostText, HostTextCallback>::value));
    // The header's pointer types take exactly the exports (no conversion).
    const BrenkDemoInit demoInit = &DemoInit;
    const BrenkDemoFree demoFree = &DemoFree;
    const BrenkDemoTick demoTick = &DemoTick;
    const BrenkDemoPaint demoPaint = &DemoPaint;
    const BrenkDemoCommand demoCommand = &DemoCommand;
    const BrenkDemoHelp demoHelp = &DemoHelp;
    const BrenkVerFun verFun = &VerFun;
    const BrenkDemoFun demoFun = &DemoFun;
    const BrenkDllFPError dllFPError = &DllFPError;
    const BrenkDemoSetup demoSetup = &DemoSetup;
    const BrenkConvPCCardFun convPCCardFun = &ConvPCCardFun;
    const BrenkOpenIC openIC = &OpenIC;
    const BrenkSetIC setIC = &SetIC;
    const BrenkCloseIC closeIC = &CloseIC;
    EXPECT_TRUE(demoInit && demoFree && demoTick && demoPaint && demoCommand && demoHelp &&
                verFun && demoFun && dllFPError && demoSetup && convPCCardFun && openIC && setIC &&
                closeIC);
}

} // namespace
