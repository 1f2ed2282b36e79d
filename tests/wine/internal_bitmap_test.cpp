// Bitmap items and the page palette, drawn from a resource module the test
// makes itself: a copy of the module with test bitmaps added to it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "frame/exports.h"
#include "render/bitmap_draw.h"
#include "test_support.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& bytes, size_t at, uint32_t value) {
    std::memcpy(&bytes[at], &value, 4);
}

Bytes Header(int width, int height, int bits, int colours) {
    Bytes bytes(40 + colours * 4, 0);
    Put32(bytes, 0, 40);
    Put32(bytes, 4, static_cast<uint32_t>(width));
    Put32(bytes, 8, static_cast<uint32_t>(height));
    bytes[12] = 1;
    bytes[14] = static_cast<uint8_t>(bits);
    return bytes;
}

// 24 bits: `inside` in the square (10..30, 10..30), `outside` elsewhere.
Bytes Dib24(int width, int height, COLORREF outside, COLORREF inside) {
    Bytes bytes = Header(width, height, 24, 0);
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row; // bottom-up
        Bytes line(static_cast<size_t>(stride), 0);
        for (int x = 0; x < width; ++x) {
            const bool in = x >= 10 && x < 30 && y >= 10 && y < 30;
            const COLORREF c = in ? inside : outside;
            line[x * 3] = GetBValue(c);
            line[x * 3 + 1] = GetGValue(c);
            line[x * 3 + 2] = GetRValue(c);
        }
        bytes.insert(bytes.end(), line.begin(), line.end());
    }
    return bytes;
}

// 8 bits, 256 colours: entry i is (i, 255 - i, blue); the left half of the
// bitmap uses entry `left`, the right half entry `right`.
Bytes Dib8(int width, int height, uint8_t blue, uint8_t left, uint8_t right) {
    Bytes bytes = Header(width, height, 8, 256);
    for (int i = 0; i < 256; ++i) {
        bytes[40 + 4 * i] = blue;
        bytes[40 + 4 * i + 1] = static_cast<uint8_t>(255 - i);
        bytes[40 + 4 * i + 2] = static_cast<uint8_t>(i);
    }
    const int stride = (width + 3) / 4 * 4;
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < stride; ++x)
            bytes.push_back(x < width / 2 ? left : right);
    return bytes;
}

// 4 bits, 16 colours, all pixels entry 1 = red.
Bytes Dib4Red(int width, int height) {
    Bytes bytes = Header(width, height, 4, 16);
    bytes[40 + 4 + 2] = 255;
    const int stride = ((width + 1) / 2 + 3) / 4 * 4;
    bytes.insert(bytes.end(), static_cast<size_t>(stride * height), 0x11);
    return bytes;
}

COLORREF Entry(int i, uint8_t blue) {
    return RGB(i, 255 - i, blue);
}

// The module's file with the test bitmaps added, loaded as a data file.
HMODULE MakeBitmapModule(const std::map<int, Bytes>& bitmaps) {
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "\\bitmaps.dll";
    if (!CopyFileA((ProgramFolder() + "brenk_C.dll").c_str(), path.c_str(), FALSE))
        return nullptr;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (!update)
        return nullptr;
    for (const auto& bitmap : bitmaps)
        UpdateResourceA(update, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(bitmap.first),
                        MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                        const_cast<uint8_t*>(bitmap.second.data()),
                        static_cast<DWORD>(bitmap.second.size()));
    if (!EndUpdateResourceA(update, FALSE))
        return nullptr;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

const BitmapIdRow kRows[] = {
    {500, 501}, // 0: blue on displays with few colours, red otherwise; 185 x 100
    {0, 2101},  // 1: 8-bit, new palette, blue 7
    {0, 502},   // 2: mask: white, black square
    {0, 503},   // 3: image: black, green square
    {0, 2201},  // 4: 8-bit, drawn with the current palette, blue 99
    {0, 2102},  // 5: 8-bit, new palette, blue 33
    {0, 2150},  // 6: 4-bit in the palette range
    {0, 2160},  // 7: no such resource
};

HMODULE bitmapModule = nullptr;

// A 24-bit section: its pixels keep exact colours on any display, where a
// bitmap compatible with an 8-bit display keeps only that display's colours.
class TrueColourSurface {
  public:
    TrueColourSurface(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
    }
    ~TrueColourSurface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class BitmapTest : public ::testing::Test {
  protected:
    MemorySurface page{240, 140};
    RECT out{};
    const DisplayColours palette{20, 256};

    static void SetUpTestSuite() {
        bitmapModule = MakeBitmapModule({
            {500, Dib24(185, 100, kBlue, kBlue)},
            {501, Dib24(185, 100, kRed, kRed)},
            {502, Dib24(40, 40, kWhite, 0)},
            {503, Dib24(40, 40, 0, kGreen)},
            {2101, Dib8(64, 20, 7, 10, 200)},
            {2201, Dib8(64, 20, 99, 50, 60)},
            {2102, Dib8(64, 20, 33, 1, 2)},
            {2150, Dib4Red(16, 16)},
        });
    }
    void SetUp() override {
        ASSERT_NE(bitmapModule, nullptr) << "the resource module could not be made";
        session = DemoSession{};
        session.moduleInstance = bitmapModule;
        bitmapIdTable = {kRows, static_cast<int32_t>(sizeof kRows / sizeof kRows[0])};
    }
    void TearDown() override {
        DemoFree();
        session = DemoSession{};
    }
    COLORREF At(int x, int y) { return PixelAt(page.dc(), x, y) & 0xFFFFFF; }
    std::vector<PALETTEENTRY> PaletteEntries() {
        std::vector<PALETTEENTRY> entries(256);
        EXPECT_EQ(GetPaletteEntries(session.pagePalette, 0, 256, entries.data()), 256u);
        return entries;
    }
};

TEST_F(BitmapTest, TrueColourDisplaysTakeTheSecondIdThroughLoadBitmap) {
    const int numColors = GetDeviceCaps(page.dc(), NUMCOLORS);
    const int sizePalette = GetDeviceCaps(page.dc(), SIZEPALETTE);
    if (sizePalette == 256)
        GTEST_SKIP() << "a palette display";
    EXPECT_EQ(numColors, -1);
    ASSERT_EQ(DrawBitmap(page.dc(), 0, 5, 6, 100, SRCCOPY, out), 1);
    EXPECT_EQ(out.left, 5);
    EXPECT_EQ(out.top, 6);
    EXPECT_EQ(out.right, 190);
    EXPECT_EQ(out.bottom, 106);
    EXPECT_EQ(At(5, 6), kRed);
    EXPECT_EQ(At(189, 105), kRed);
    EXPECT_EQ(At(190, 106), kWhite);
    EXPECT_EQ(session.pagePalette, nullptr);
}

TEST_F(BitmapTest, SixteenColourDisplaysTakeTheFirstId) {
    ASSERT_EQ(DrawBitmapFor(page.dc(), DisplayColours{16, 0}, 0, 0, 0, 100, SRCCOPY, out), 1);
    EXPECT_EQ(At(50, 50), kBlue);
}

TEST_F(BitmapTest, PercentScalesTheTarget) {
    ASSERT_EQ(DrawBitmapFor(page.dc(), DisplayColours{-1, 0}, 0, 5, 5, 50, SRCCOPY, out), 1);
    EXPECT_EQ(out.right - out.left, 92);
    EXPECT_EQ(out.bottom - out.top, 50);
    EXPECT_EQ(At(96, 54), kRed);
    EXPECT_EQ(At(97, 55), kWhite);
    MemorySurface blank(100, 100);
    EXPECT_EQ(DrawBitmapFor(blank.dc(), DisplayColours{-1, 0}, 0, 5, 5, 0, SRCCOPY, out), 0);
    EXPECT_EQ(blank.InkBounds().right, 0) << "percent 0 draws nothing";
}

TEST_F(BitmapTest, MaskItemsDrawTheMaskThenTheImage) {
    PatBlt(page.dc(), 0, 0, 240, 140, BLACKNESS);
    PatBlt(page.dc(), 0, 0, 120, 140, WHITENESS);
    EXPECT_EQ(DrawBitmap(page.dc(), 2, 100, 0, 100, SRCAND, out), 0) << "a mask reports nothing";
    PatBlt(page.dc(), 0, 0, 240, 140, WHITENESS);
    RECT area = {};
    ASSERT_EQ(DrawBitmapItem(page.dc(), 2, 100, 50, 100, 0, area), 1);
    EXPECT_EQ(area.left, 100);
    EXPECT_EQ(area.bottom, 90);
    EXPECT_EQ(At(115, 65), kGreen) << "the image shows through the mask's hole";
    EXPECT_EQ(At(105, 55), kWhite) << "the page stays where the mask is white";
    EXPECT_EQ(At(139, 89), kWhite);
}

TEST_F(BitmapTest, PaletteBitmapsBuildAndUseThePagePalette) {
    TrueColourSurface exact(100, 100);
    auto ExactAt = [&](int x, int y) { return PixelAt(exact.dc(), x, y) & 0xFFFFFF; };
    ASSERT_EQ(DrawBitmapFor(exact.dc(), palette, 1, 0, 0, 100, SRCCOPY, out), 1);
    ASSERT_NE(session.pagePalette, nullptr);
    ASSERT_NE(session.pagePaletteMemory, nullptr);
    EXPECT_EQ(ExactAt(5, 5), Entry(10, 7)) << "pixels in the bitmap's own colours";
    EXPECT_EQ(ExactAt(40, 5), Entry(200, 7));
    std::vector<PALETTEENTRY> entries = PaletteEntries();
    for (int i : {0, 10, 128, 255}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), Entry(i, 7));
        EXPECT_EQ(entries[i].peFlags, 0);
    }
    const LOGPALETTE* block = static_cast<const LOGPALETTE*>(GlobalLock(session.pagePaletteMemory));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->palVersion, 0x300);
    EXPECT_EQ(block->palNumEntries, 256);
    GlobalUnlock(session.pagePaletteMemory);

    const HPALETTE first = session.pagePalette;
    ASSERT_EQ(DrawBitmapFor(exact.dc(), palette, 4, 0, 30, 100, SRCCOPY, out), 1);
    EXPECT_EQ(session.pagePalette, first) << "2201 and above keep the palette";
    EXPECT_EQ(PaletteEntries()[50].peBlue, 7);
    EXPECT_EQ(ExactAt(5, 35), Entry(50, 99));

    ASSERT_EQ(DrawBitmapFor(exact.dc(), palette, 5, 0, 60, 100, SRCCOPY, out), 1);
    EXPECT_EQ(PaletteEntries()[50].peBlue, 33) << "2101..2200 build a new one";
    EXPECT_EQ(DrawBitmapFor(exact.dc(), palette, 1, 0, 90, 0, SRCCOPY, out), 0);
    EXPECT_EQ(PaletteEntries()[50].peBlue, 7) << "also when nothing is drawn";

    DemoFree();
    EXPECT_EQ(session.pagePalette, nullptr);
    EXPECT_EQ(session.pagePaletteMemory, nullptr);
}

TEST_F(BitmapTest, BitmapsThatAreNotEightBitGoThroughLoadBitmap) {
    ASSERT_EQ(DrawBitmapFor(page.dc(), palette, 6, 0, 0, 100, SRCCOPY, out), 1);
    EXPECT_EQ(At(3, 3), kRed);
    EXPECT_EQ(out.right, 16);
    EXPECT_EQ(session.pagePalette, nullptr) << "no palette is built";
    EXPECT_EQ(DrawBitmapFor(page.dc(), palette, 7, 0, 0, 100, SRCCOPY, out), 0) << "missing";
    EXPECT_EQ(DrawBitmap(page.dc(), 8, 0, 0, 100, SRCCOPY, out), 0) << "beyond the table";
    EXPECT_EQ(DrawBitmap(page.dc(), -1, 0, 0, 100, SRCCOPY, out), 0);
}

// Only on an 8-bit display (Xvfb -screen 0 1024x768x8): the real palette
// path, chosen by the display, and DemoPaint showing the page through it.
// Wine keeps an 8-bit display's bitmaps in its own fixed colour table, so the
// page shows the nearest of those colours rather than the palette's own.
TEST_F(BitmapTest, PaletteDisplayDrawsThroughThePagePalette) {
    HDC screen = GetDC(nullptr);
    const int sizePalette = GetDeviceCaps(screen, SIZEPALETTE);
    ReleaseDC(nullptr, screen);
    if (sizePalette != 256)
        GTEST_SKIP() << "the display has no palette (SIZEPALETTE " << sizePalette << ")";

    TestHostWindow host(kPageWidth, kPageHeight);
    HDC hostDc = GetDC(host.handle());
    session.hostWindow = host.handle();
    session.pageDc = CreateCompatibleDC(hostDc);
    session.pageBitmap = CreateCompatibleBitmap(hostDc, kPageWidth, kPageHeight);
    session.pageDcOldBitmap = SelectObject(session.pageDc, session.pageBitmap);
    session.pageAreaWidth = kPageWidth;
    session.pageAreaHeight = kPageHeight;
    session.flow.phase = kPagePhase;
    PatBlt(session.pageDc, 0, 0, kPageWidth, kPageHeight, WHITENESS);
    ASSERT_EQ(DrawBitmap(session.pageDc, 1, 0, 0, 100, SRCCOPY, out), 1);
    ASSERT_NE(session.pagePalette, nullptr) << "the display chose the palette path";
    EXPECT_EQ(PaletteEntries()[200].peRed, 200);
    const COLORREF left = PixelAt(session.pageDc, 5, 5) & 0xFFFFFF;
    const COLORREF right = PixelAt(session.pageDc, 40, 5) & 0xFFFFFF;
    EXPECT_NE(left, kWhite);
    EXPECT_NE(left, right);
    ShowWindow(host.handle(), SW_SHOW);
    PumpMessages(50);
    EXPECT_NE(DemoPaint(hostDc), 0);
    EXPECT_EQ(GetCurrentObject(hostDc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE))
        << "DemoPaint selects the previous palette back";
    EXPECT_EQ(PixelAt(hostDc, 5, 5) & 0xFFFFFF, left);
    EXPECT_EQ(PixelAt(hostDc, 40, 5) & 0xFFFFFF, right);
    ReleaseDC(host.handle(), hostDc);
}

} // namespace
