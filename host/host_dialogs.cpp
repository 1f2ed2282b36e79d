#include "host/host_dialogs.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/command_ids.h"
#include "host/demo_control.h"
#include "host/host_app.h"

namespace {

Instrument& Meter() {
    return App().instrument;
}

unsigned long Now() {
    return App().log.ElapsedMilliseconds();
}

std::string ItemText(HWND dialog, int id) {
    char text[128] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void FillList(HWND dialog, int id, const char* const* items, int count, int selected) {
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

int ListSelection(HWND dialog, int id, int fallback) {
    const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? fallback : static_cast<int>(selected);
}

// Over the middle of the main window, where the screenshots look.
void CentreOverOwner(HWND dialog) {
    RECT own, owner;
    GetWindowRect(dialog, &own);
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    const int width = own.right - own.left, height = own.bottom - own.top;
    SetWindowPos(dialog, nullptr, (owner.left + owner.right - width) / 2,
                 (owner.top + owner.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// --- Settings ----------------------------------------------------------------

bool pendingFastInterface = false;

void ShowInterfaceSpeed(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_INTERFACE_TEXT,
                    pendingFastInterface ? "Interface speed: 115200 Bd"
                                         : "Interface speed: 9600 Bd");
}

void InitSettings(HWND dialog) {
    static const char* const rates[kReadingRateCount] = {"1", "2", "5", "10", "20", "50"};
    SetChecked(dialog, IDC_BEEP, Meter().beep);
    SetChecked(dialog, IDC_STATISTICS, Meter().statistics);
    FillList(dialog, IDC_RATE_LIST, rates, kReadingRateCount, Meter().rateIndex);
    pendingFastInterface = Meter().fastInterface;
    ShowInterfaceSpeed(dialog);
}

void ApplySettings(HWND dialog) {
    Instrument& meter = Meter();
    meter.beep = Checked(dialog, IDC_BEEP);
    meter.statistics = Checked(dialog, IDC_STATISTICS);
    meter.rateIndex = ListSelection(dialog, IDC_RATE_LIST, meter.rateIndex);
    meter.ChangeInterfaceSpeed(pendingFastInterface, Now());
    App().log.Writef("settings: beep %d statistics %d rate %d/s interface %s", meter.beep,
                     meter.statistics, kReadingRates[meter.rateIndex],
                     meter.fastInterface ? "115200" : "9600");
}

// --- Calculated quantity -----------------------------------------------------

std::string keyedFormula;
std::string keptName;

void ShowFormula(HWND dialog, const std::string& status) {
    SetDlgItemTextA(dialog, IDC_FORMULA_TEXT, keyedFormula.c_str());
    SetDlgItemTextA(dialog, IDC_FORMULA_STATUS, status.c_str());
}

bool FormulaComplete() {
    return !keyedFormula.empty() && keyedFormula.back() != ' ';
}

Formula FormulaFromDialog(HWND dialog) {
    Formula formula;
    formula.text = keyedFormula;
    formula.name = keptName.empty() ? "S" : keptName;
    formula.unit = ItemText(dialog, IDC_UNIT);
    const std::string factor = ItemText(dialog, IDC_FACTOR);
    formula.factor = factor.empty() ? 1.0 : std::atof(factor.c_str());
    formula.showInMeter = Checked(dialog, IDC_SHOW_IN_METER);
    return formula;
}

void Preview(HWND dialog) {
    const std::vector<Reading>& readings = Meter().Shown();
    if (readings.empty() || !FormulaComplete()) {
        ShowFormula(dialog, "Preview: no reading or no complete formula yet");
        return;
    }
    const Formula formula = FormulaFromDialog(dialog);
    char text[160];
    std::snprintf(text, sizeof text, "Preview: %s = %.1f %s with the latest reading",
                  formula.name.c_str(), FormulaValue(formula, readings.back()),
                  formula.unit.c_str());
    ShowFormula(dialog, text);
}

bool FormulaCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_KEY_U:
    case IDC_KEY_I:
    case IDC_KEY_FACTOR:
        keyedFormula += id == IDC_KEY_U ? "U" : id == IDC_KEY_I ? "I" : "k";
        ShowFormula(dialog, "");
        return true;
    case IDC_KEY_TIMES:
        keyedFormula += " x ";
        ShowFormula(dialog, "");
        return true;
    case IDC_CHECK_FORMULA:
        ShowFormula(dialog, FormulaComplete() ? "The formula is complete."
                                              : "The formula is not complete yet.");
        return true;
    case IDC_KEEP_FORMULA:
        keptName = "S";
        ShowFormula(dialog, "Kept as the new quantity S = " + keyedFormula);
        return true;
    case IDC_PREVIEW:
        Preview(dialog);
        return true;
    default:
        return false;
    }
}

void InitFormula(HWND dialog) {
    keyedFormula.clear();
    keptName.clear();
    ShowFormula(dialog, "Key in a formula from the readings U and I.");
    SetChecked(dialog, IDC_SHOW_IN_METER, Meter().formula.showInMeter);
}

void ApplyFormula(HWND dialog) {
    Meter().formula = FormulaFromDialog(dialog);
    const Formula& formula = Meter().formula;
    App().log.Writef("formula %s = %s unit \"%s\" factor %.2f shown %d", formula.name.c_str(),
                     formula.text.c_str(), formula.unit.c_str(), formula.factor,
                     formula.showInMeter);
}

// --- Record, stop, save, readings, range, print -------------------------------

void InitRecord(HWND dialog) {
    SetDlgItemInt(dialog, IDC_RECORD_COUNT, static_cast<UINT>(Meter().readingsDefault), FALSE);
}

void ApplyRecord(HWND dialog) {
    const int count = static_cast<int>(GetDlgItemInt(dialog, IDC_RECORD_COUNT, nullptr, FALSE));
    Meter().StartRecording(Now(), count, Checked(dialog, IDC_STOP_WHEN_FULL));
    App().log.Writef("recording %d readings%s", count,
                     Meter().stopWhenFull ? ", stopping when full" : "");
}

void InitConfirmStop(HWND dialog) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "The recording of %u readings has not been saved yet. Discard it?",
                  static_cast<unsigned>(Meter().recorded.size()));
    SetDlgItemTextA(dialog, IDC_CONFIRM_TEXT, text);
}

void InitSave(HWND dialog) {
    const Instrument& meter = Meter();
    char text[120];
    const bool recording = !meter.recorded.empty() && !meter.recordingSaved;
    std::snprintf(text, sizeof text, "%u %s", static_cast<unsigned>(meter.Shown().size()),
                  recording ? "recorded readings" : "readings of the last measurement");
    SetDlgItemTextA(dialog, IDC_SAVE_WHAT, text);
}

void ApplySave(HWND dialog) {
    std::string name = ItemText(dialog, IDC_FILE_NAME);
    if (name.empty())
        name = "UNNAMED.MDF";
    const SavedFile file = Meter().Save(name);
    App().log.Writef("saved %s (%u readings)", file.name.c_str(),
                     static_cast<unsigned>(file.readings));
}

void InitReadings(HWND dialog) {
    SetDlgItemInt(dialog, IDC_READINGS, static_cast<UINT>(Meter().readingsDefault), FALSE);
}

void ApplyReadings(HWND dialog) {
    const UINT count = GetDlgItemInt(dialog, IDC_READINGS, nullptr, FALSE);
    if (count > 0)
        Meter().readingsDefault = static_cast<int>(count);
    App().log.Writef("readings per recording %d", Meter().readingsDefault);
}

void InitRange(HWND dialog) {
    SetChecked(dialog, IDC_AUTO_RANGE, Meter().autoRange);
    FillList(dialog, IDC_RANGE_LIST, kRangeNames, kRangeCount, Meter().rangeIndex);
}

void ApplyRange(HWND dialog) {
    Meter().autoRange = Checked(dialog, IDC_AUTO_RANGE);
    Meter().rangeIndex = ListSelection(dialog, IDC_RANGE_LIST, Meter().rangeIndex);
    App().log.Writef("range %s", Meter().autoRange ? "automatic" : kRangeNames[Meter().rangeIndex]);
}

void InitPrint(HWND dialog) {
    SetChecked(dialog, IDC_PRINT_GRAPH, true);
    SetChecked(dialog, IDC_PRINT_TABLE, false);
}

void ApplyPrint(HWND dialog) {
    const bool graph = Checked(dialog, IDC_PRINT_GRAPH);
    const bool table = Checked(dialog, IDC_PRINT_TABLE);
    std::string what = graph && table ? "graph and table" : graph ? "graph" : table ? "table" : "";
    Meter().printed = what.empty() ? "nothing chosen" : what;
    App().log.Writef("printed %s", Meter().printed.c_str());
}

// --- The dialogs as a table ------------------------------------------------------

struct HostDialog {
    int templateId;
    const char* name; // for the log and the screenshots
    void (*init)(HWND);
    void (*apply)(HWND); // on OK
};

const HostDialog kDialogs[] = {
    {IDD_SETTINGS, "settings", InitSettings, ApplySettings},
    {IDD_FORMULA, "formula", InitFormula, ApplyFormula},
    {IDD_RECORD, "record", InitRecord, ApplyRecord},
    {IDD_CONFIRM_STOP, "confirm-stop", InitConfirmStop, nullptr},
    {IDD_SAVE, "save", InitSave, ApplySave},
    {IDD_READINGS, "readings", InitReadings, ApplyReadings},
    {IDD_RANGE, "range", InitRange, ApplyRange},
    {IDD_PRINT, "print", InitPrint, ApplyPrint},
};

const HostDialog* running = nullptr;

void EndHostDialog(HWND dialog, int button) {
    App().log.Writef("dialog %s ends with %d", running->name, button);
    // The filled-in dialog, before it goes.
    RequestScreenshot(std::string("dialog-") + running->name + "-" + std::to_string(button), true);
    EndDialog(dialog, button);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (running->templateId == IDD_SETTINGS && id == IDC_FAST_INTERFACE) {
        pendingFastInterface = !pendingFastInterface;
        ShowInterfaceSpeed(dialog);
        return TRUE;
    }
    if (running->templateId == IDD_FORMULA && FormulaCommand(dialog, id))
        return TRUE;
    switch (id) {
    case IDOK:
        if (running->apply != nullptr)
            running->apply(dialog);
        EndHostDialog(dialog, id);
        return TRUE;
    case IDCANCEL:
    case IDYES:
    case IDNO:
        EndHostDialog(dialog, id);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK HostDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        App().openDialog = dialog;
        CentreOverOwner(dialog);
        running->init(dialog);
        App().log.Writef("dialog %s opened", running->name);
        // Shown now rather than when the dialog's loop first idles, so that
        // the screenshot has it and a script finds its controls at once.
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        RequestScreenshot(std::string("dialog-") + running->name, true);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR RunHostDialog(HWND owner, int templateId) {
    for (const HostDialog& dialog : kDialogs) {
        if (dialog.templateId != templateId)
            continue;
        running = &dialog;
        const INT_PTR result =
            DialogBoxParamA(App().instance, MAKEINTRESOURCEA(templateId), owner, HostDialogProc, 0);
        running = nullptr;
        App().openDialog = nullptr;
        return result;
    }
    return -1;
}
