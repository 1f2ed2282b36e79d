#include "host/screen_capture.h"

#include "host/bmp_writer.h"

namespace {

// Copies the client area into `dib`, a DIB section of the same size.
bool CopyIntoDib(HDC windowDc, HDC memoryDc, HBITMAP dib, POINT origin, int width, int height) {
    HGDIOBJ previous = SelectObject(memoryDc, dib);
    if (previous == nullptr || previous == HGDI_ERROR) {
        return false;
    }
    BOOL copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, origin.x, origin.y, SRCCOPY);
    SelectObject(memoryDc, previous);
    // The DIB's memory is read directly next, so GDI must have finished with it.
    GdiFlush();
    return copied != FALSE;
}

} // namespace

bool CaptureClientArea(HWND window, const std::string& path) {
    RECT client;
    if (!GetClientRect(window, &client)) {
        return false;
    }
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width < 1 || height < 1) {
        return false;
    }
    // From the screen, so a dialog over the window is in the picture too.
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC windowDc = GetDC(nullptr);
    if (windowDc == nullptr) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // positive: bottom-up, the BMP file's own row order
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    bool saved = false;
    if (dib != nullptr && bits != nullptr && memoryDc != nullptr &&
        CopyIntoDib(windowDc, memoryDc, dib, origin, width, height)) {
        saved = WriteBmp24(path, width, height, static_cast<const unsigned char*>(bits),
                           Bmp24Stride(width));
    }
    if (memoryDc != nullptr) {
        DeleteDC(memoryDc);
    }
    if (dib != nullptr) {
        DeleteObject(dib);
    }
    ReleaseDC(nullptr, windowDc);
    return saved;
}
