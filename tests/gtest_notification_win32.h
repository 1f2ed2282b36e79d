// GoogleTest's Notification for the MinGW win32 thread model, whose C++
// library has no std::mutex or std::condition_variable. Force-included
// before GoogleTest's headers in the Windows tree; GoogleTest then takes
// this class instead of defining its own. Only GoogleTest's own thread
// helpers use it, never our tests, so a polled flag is enough.
#ifndef BRENK_GTEST_NOTIFICATION_WIN32_H
#define BRENK_GTEST_NOTIFICATION_WIN32_H

#define GTEST_HAS_NOTIFICATION_ 1

// As <windows.h> declares it, so the two declarations agree.
extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
  public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { __atomic_store_n(&notified_, true, __ATOMIC_SEQ_CST); }

    void WaitForNotification() {
        while (!__atomic_load_n(&notified_, __ATOMIC_SEQ_CST))
            Sleep(1);
    }

  private:
    bool notified_ = false;
};

} // namespace internal
} // namespace testing

#endif
