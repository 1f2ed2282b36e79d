// The printed page's surface on a device context: GDI lines and text, the
// host's texts and the amount columns measured in the selected font.
#pragma once

#include <windows.h>

#include "print/order_page.h"

class DcPrintSurface : public PrintSurface {
  public:
    explicit DcPrintSurface(HDC dc) : dc_(dc) {}
    int PrefixWidth(const char* text, int n) const override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Text(int x, int y, const char* text, int length, CellSpan cell) override;
    void HostText(uint32_t id, char* buffer, int size) override;
    void MaskedNumber(char* out, double amount, int count, const char* mask) override;

  private:
    HDC dc_;
};
