#include "host/order_filler.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/demo_control.h"
#include "host/host_app.h"
#include "host/module_messages.h"

namespace {

// Ids of the host's own order sheet and entry templates.
constexpr int kAddressField = 4401;
constexpr int kFirstFurtherField = 4402;
constexpr int kSecondFurtherField = 4403;
constexpr int kQuantityList = 4404;
constexpr int kItemTextList = 4406;
constexpr int kLastList = 4408;
constexpr int kScrollBar = 4409;
constexpr int kOrderSum = 4412;
constexpr int kSurchargedSum = 4413;
constexpr int kEntryField = 4414;
constexpr int kPrintButton = 1;
constexpr int kCloseButton = 2;
// The system print dialog's printer list, and the module's printing dialog.
constexpr int kPrinterList = 0x473;
constexpr int kPrintingText = 31236;
// How long the printing may take before the host goes on without it.
constexpr int kPrintStepLimit = 120;
constexpr int kNoPrinter = -1;
constexpr UINT kStepIntervalMs = 350;
constexpr int kStepLimit = 400;

struct Order {
    int line;
    const char* quantity;
};
// Lines beyond the first 11 make the sheet scroll.
const Order kOrders[] = {{1, "3"}, {4, "12"}, {13, "2"}, {22, "1"}};

using Step = std::function<bool()>;

struct FillState {
    bool opened = false;
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
};
FillState fill;

struct Dialogs {
    HWND sheet = nullptr;
    HWND entry = nullptr;
    HWND printDialog = nullptr;
    HWND printing = nullptr;
    HWND other = nullptr; // a message box, for instance
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    auto* dialogs = reinterpret_cast<Dialogs*>(found);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    if (GetDlgItem(window, kQuantityList))
        dialogs->sheet = window;
    else if (GetDlgItem(window, kEntryField))
        dialogs->entry = window;
    else if (GetDlgItem(window, kPrinterList))
        dialogs->printDialog = window;
    else if (GetDlgItem(window, kPrintingText))
        dialogs->printing = window;
    else
        dialogs->other = window;
    return TRUE;
}

Dialogs FindDialogs() {
    Dialogs found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ItemText(HWND dialog, int id) {
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string ListLine(HWND sheet, int listId, int line) {
    char text[128] = "";
    HWND list = GetDlgItem(sheet, listId);
    if (SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0) < 120)
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
    return text;
}

// A press and release in the middle of the line, as the mouse gives them.
void ClickLine(HWND sheet, int line) {
    HWND list = GetDlgItem(sheet, kItemTextList);
    RECT rect;
    if (SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        return;
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
}

void LogSheet(HWND sheet) {
    HostApp& app = App();
    const LRESULT count = SendDlgItemMessageA(sheet, kQuantityList, LB_GETCOUNT, 0, 0);
    for (int line = 0; line < count; ++line) {
        if (ListLine(sheet, kQuantityList, line) == " ")
            continue;
        std::string row;
        for (int listId = kQuantityList; listId <= kLastList; ++listId)
            row += "|" + ListLine(sheet, listId, line);
        app.log.Writef("order line %d %s|", line, row.c_str());
    }
    app.log.Writef("order sum \"%s\" with surcharge \"%s\"", ItemText(sheet, kOrderSum).c_str(),
                   ItemText(sheet, kSurchargedSum).c_str());
}

Step Do(std::function<void(HWND)> action) {
    return [action] {
        action(FindDialogs().sheet);
        return true;
    };
}

void AddOrderSteps(std::vector<Step>& steps, const Order& order) {
    steps.push_back(Do([order](HWND sheet) {
        const int top =
            static_cast<int>(SendDlgItemMessageA(sheet, kQuantityList, LB_GETTOPINDEX, 0, 0));
        if (order.line >= top + 11)
            SendMessageA(sheet, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, order.line - 5),
                         reinterpret_cast<LPARAM>(GetDlgItem(sheet, kScrollBar)));
    }));
    steps.push_back(Do([order](HWND sheet) { ClickLine(sheet, order.line); }));
    steps.push_back(Do([order](HWND sheet) {
        HWND list = GetDlgItem(sheet, kItemTextList);
        SetFocus(list);
        PostMessageA(list, WM_KEYDOWN, static_cast<WPARAM>(order.quantity[0]), 1);
    }));
    steps.push_back([] { return FindDialogs().entry != nullptr; });
    steps.push_back([order] {
        HWND field = GetDlgItem(FindDialogs().entry, kEntryField);
        for (const char* c = order.quantity + 1; *c; ++c)
            PostMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 1);
        return true;
    });
    steps.push_back([order] {
        App().log.Writef("order entry line %d quantity %s", order.line, order.quantity);
        PostMessageA(GetDlgItem(FindDialogs().entry, IDOK), BM_CLICK, 0, 0);
        return true;
    });
    steps.push_back([] { return FindDialogs().entry == nullptr; });
}

// Print, OK in the system's print dialog, then wait for the printing dialog
// to come and go. Without a print dialog (no printer) the host goes on.
void AddPrintSteps(std::vector<Step>& steps) {
    steps.push_back(Do([](HWND sheet) {
        App().log.Write("order sheet: Print");
        PostMessageA(GetDlgItem(sheet, kPrintButton), BM_CLICK, 0, 0);
    }));
    auto waited = std::make_shared<int>(0);
    steps.push_back([waited] {
        const Dialogs dialogs = FindDialogs();
        HWND printDialog = dialogs.printDialog;
        if (!printDialog && dialogs.other) {
            // Without a printer the system says so in a message box.
            char caption[128] = "";
            GetWindowTextA(dialogs.other, caption, sizeof caption);
            App().log.Writef("no print dialog: \"%s\" answered with OK", caption);
            RequestScreenshot("no-printer", true);
            PostMessageA(dialogs.other, WM_COMMAND, IDOK, 0);
            *waited = kNoPrinter;
            return true;
        }
        if (!printDialog)
            return ++*waited > kPrintStepLimit / 4;
        char printer[128] = "";
        GetDlgItemTextA(printDialog, kPrinterList, printer, sizeof printer);
        App().log.Writef("print dialog: printer \"%s\", OK", printer);
        RequestScreenshot("print-dialog", true);
        PostMessageA(GetDlgItem(printDialog, IDOK), BM_CLICK, 0, 0);
        *waited = 0;
        return true;
    });
    steps.push_back([waited] {
        if (*waited == kNoPrinter) {
            App().log.Write("nothing printed: no printer");
            return true;
        }
        const Dialogs dialogs = FindDialogs();
        if (dialogs.printing && *waited == 0) {
            App().log.Write("printing dialog shown");
            RequestScreenshot("printing", true);
        }
        const bool over =
            !dialogs.printDialog && !dialogs.printing && IsWindowEnabled(dialogs.sheet);
        if (over || ++*waited > kPrintStepLimit) {
            App().log.Write(over ? "order printed" : "printing took too long");
            return true;
        }
        return false;
    });
}

std::vector<Step> FillPlan() {
    std::vector<Step> steps;
    steps.push_back([] { return FindDialogs().sheet != nullptr; });
    steps.push_back(Do([](HWND sheet) {
        App().log.Write("order sheet open");
        SetDlgItemTextA(sheet, kAddressField,
                        "Measuring Lab Ltd.\r\nAnna Berg\r\nMill Lane 4\r\n"
                        "12345 Westfield");
        SetDlgItemTextA(sheet, kFirstFurtherField, "K-4711");
        SetDlgItemTextA(sheet, kSecondFurtherField, "Demo order");
    }));
    for (const Order& order : kOrders)
        AddOrderSteps(steps, order);
    // Back up so that the first orders show in the picture.
    steps.push_back(Do([](HWND sheet) {
        SendMessageA(sheet, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1),
                     reinterpret_cast<LPARAM>(GetDlgItem(sheet, kScrollBar)));
    }));
    steps.push_back(Do([](HWND sheet) {
        LogSheet(sheet);
        RequestScreenshot("order-sheet", true);
    }));
    if (App().options.printOrder)
        AddPrintSteps(steps);
    steps.push_back(Do([](HWND sheet) {
        App().log.Write("order sheet: Close");
        PostMessageA(GetDlgItem(sheet, kCloseButton), BM_CLICK, 0, 0);
    }));
    return steps;
}

void StopFilling(const char* why) {
    KillTimer(App().window, kOrderFillTimerId);
    App().log.Writef("order filling over: %s", why);
}

} // namespace

void MaybeOpenOrderSheet() {
    HostApp& app = App();
    if (!app.options.orderDemo || fill.opened || app.progress.Phase() != DemoPhase::Pages ||
        app.progress.Page() < 1)
        return;
    fill.opened = true;
    fill.steps = FillPlan();
    app.log.Write("opening the order sheet");
    SetTimer(app.window, kOrderFillTimerId, kStepIntervalMs, nullptr);
    PostMessageA(app.window, WM_COMMAND, static_cast<WPARAM>(kCommandOrderSheet), 0);
}

void OrderFillStep() {
    if (++fill.ticks > kStepLimit) {
        StopFilling("took too long");
        return;
    }
    if (fill.next >= fill.steps.size()) {
        StopFilling("done");
        return;
    }
    if (fill.steps[fill.next]())
        ++fill.next;
}
