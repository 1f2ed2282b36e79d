#include "order/amount_mask_win32.h"

#include "config/catalogue.h"
#include "order/order_ids.h"
#include "render/text_measure.h"

namespace {

class DcWidths : public TextWidthSource {
  public:
    explicit DcWidths(HDC dc) : dc_(dc) {}
    int Width(const char* text) const override { return StringWidth(dc_, text); }

  private:
    HDC dc_;
};

} // namespace

void FormatToMask(HDC dc, char* output, double amount, int count, const char* mask) {
    FormatToMask(DcWidths(dc), output, amount, count, mask);
}

void FormatToMaskForWindow(HWND window, char* output, double amount, int count, const char* mask) {
    HDC dc = GetDC(window);
    FormatToMask(dc, output, amount, count, mask);
    if (dc)
        ReleaseDC(window, dc);
}

void UpdateOrderTotals(HWND dialog) {
    if (!PricesValid(catalogue)) {
        SetDlgItemTextA(dialog, kOrderSumLabel, "");
        SetDlgItemTextA(dialog, kSurchargedSumLabel, "");
        return;
    }
    char text[kMaskedTextSize];
    const double sum = OrderSum(catalogue);
    FormatToMaskForWindow(dialog, text, sum, -1, kTotalMask);
    SetDlgItemTextA(dialog, kOrderSumLabel, text);
    FormatToMaskForWindow(dialog, text, SurchargedSum(sum, catalogue.surchargePercent), -1,
                          kTotalMask);
    SetDlgItemTextA(dialog, kSurchargedSumLabel, text);
}
