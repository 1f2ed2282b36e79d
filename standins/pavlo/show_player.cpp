#include "pavlo/show_player.h"

#include "pavlo/slide_painter.h"

namespace pavlo {
namespace {

const char kSlideClass[] = "PavloStandInSlides";
const UINT_PTR kTimerId = 1;
const int kButtonStrip = 36;
const int kButtonWidth = 80;
const int kButtonHeight = 26;

// Built when the library loads, so the unload path never has to construct it.
ShowPlayer thePlayer;

LRESULT CALLBACK SlideViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimerId)
            thePlayer.OnTimer();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the painter covers every pixel
    case WM_PAINT:
        thePlayer.Paint(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A class left behind by an earlier load of the library may still point at
// the old code; replace it.
bool RegisterSlideClass(HINSTANCE library) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SlideViewProc;
    windowClass.hInstance = library;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSlideClass;
    if (RegisterClassA(&windowClass))
        return true;
    if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    UnregisterClassA(kSlideClass, library);
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

ShowPlayer& TheShowPlayer() {
    return thePlayer;
}

bool ShowPlayer::Start(HINSTANCE library, HWND showWindow, const char* scriptName, int controlId,
                       int buttonId, int startMode) {
    Stop();
    if (!IsWindow(showWindow))
        return false;
    library_ = library;
    scriptName_ = scriptName != nullptr && scriptName[0] != '\0' ? scriptName : "built-in show";
    sequence_ = ShowSequence(LoadShowScript(scriptName));
    if (!RegisterSlideClass(library_) || !CreateWindows(showWindow, buttonId)) {
        Stop();
        return false;
    }
    showWindow_ = showWindow;
    controlId_ = controlId;
    active_ = true;
    Apply(sequence_.Start(startMode));
    return true;
}

bool ShowPlayer::CreateWindows(HWND showWindow, int buttonId) {
    RECT client;
    GetClientRect(showWindow, &client);
    int width = client.right;
    int strip = client.bottom / 2 < kButtonStrip ? client.bottom / 2 : kButtonStrip;
    int viewHeight = client.bottom - strip;
    slideView_ = CreateWindowExA(0, kSlideClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                 width, viewHeight, showWindow, nullptr, library_, nullptr);
    if (slideView_ == nullptr)
        return false;
    // The button belongs to the show window, so its clicks reach the show
    // window's WM_COMMAND under the button id.
    skipButton_ = CreateWindowExA(
        0, "BUTTON", "Skip", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON,
        width - kButtonWidth - 8, viewHeight + (strip - kButtonHeight) / 2, kButtonWidth,
        kButtonHeight, showWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId)),
        library_, nullptr);
    if (skipButton_ != nullptr)
        SendMessageA(skipButton_, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return true;
}

void ShowPlayer::Stop() {
    if (slideView_ != nullptr && IsWindow(slideView_)) {
        KillTimer(slideView_, kTimerId);
        DestroyWindow(slideView_);
    }
    if (skipButton_ != nullptr && IsWindow(skipButton_))
        DestroyWindow(skipButton_);
    if (library_ != nullptr)
        UnregisterClassA(kSlideClass, library_);
    slideView_ = nullptr;
    skipButton_ = nullptr;
    showWindow_ = nullptr;
    sequence_ = ShowSequence();
}

int ShowPlayer::LiveWindows() const {
    return (slideView_ != nullptr && IsWindow(slideView_) ? 1 : 0) +
           (skipButton_ != nullptr && IsWindow(skipButton_) ? 1 : 0);
}

void ShowPlayer::Abandon() {
    if (library_ != nullptr)
        UnregisterClassA(kSlideClass, library_); // fails while the view lives; Start retries
    slideView_ = nullptr;
    skipButton_ = nullptr;
    showWindow_ = nullptr;
}

void ShowPlayer::Go() {
    if (slideView_ != nullptr)
        Apply(sequence_.Go());
}

void ShowPlayer::Repaint(int state) {
    if (slideView_ == nullptr)
        return;
    if (state == 0 || state == 1)
        active_ = state == 1;
    if (state == 2)
        RedrawWindow(slideView_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    else
        InvalidateRect(slideView_, nullptr, FALSE);
}

void ShowPlayer::Click(int code) {
    if (slideView_ == nullptr)
        return;
    bool isSkipButton =
        skipButton_ != nullptr && code == static_cast<int>(reinterpret_cast<INT_PTR>(skipButton_));
    if (code == 1 || isSkipButton)
        Apply(sequence_.Skip());
}

void ShowPlayer::OnTimer() {
    if (slideView_ != nullptr)
        Apply(sequence_.TimerElapsed());
}

void ShowPlayer::Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        SlideLook look = {"Slide show", scriptName_.c_str(), active_};
        PaintShow(dc, client, sequence_, look);
    }
    EndPaint(window, &paint);
}

void ShowPlayer::Apply(const ShowStep& step) {
    if (step.stopTimer)
        KillTimer(slideView_, kTimerId);
    if (step.startTimerMs > 0)
        SetTimer(slideView_, kTimerId, static_cast<UINT>(step.startTimerMs), nullptr);
    if (step.repaint)
        InvalidateRect(slideView_, nullptr, FALSE);
    if (step.postCue)
        PostCommand(0);
    if (step.postEnd) {
        PostCommand(step.endCode);
        if (skipButton_ != nullptr)
            EnableWindow(skipButton_, FALSE);
    }
}

void ShowPlayer::PostCommand(LPARAM code) {
    PostMessageA(showWindow_, WM_COMMAND, MAKEWPARAM(controlId_, 0), code);
}

} // namespace pavlo
