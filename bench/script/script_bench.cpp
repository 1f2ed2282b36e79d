// How long script 0 takes end to end, on the real clock with real busy
// waits, against its floor: the least time its delays and pauses allow
// (each step waits for its delay or its own pauses, whichever is longer).
//
//   script_bench [tick milliseconds, default 20] [script id, default 0]
//
// The host is the in-memory one of the unit tests, ticked like the demo
// host's timer, so what is measured is the engine and the tick's granularity.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/unit/script_fake_host.h"

namespace {

using Clock = std::chrono::steady_clock;

class RealTimeHost : public FakeScriptHost {
  public:
    uint32_t Now() override {
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count());
    }
    void Wait(uint32_t milliseconds) override {
        const uint32_t begin = Now();
        while (Now() - begin < milliseconds) {
        }
    }

  private:
    Clock::time_point start_ = Clock::now();
};

std::vector<ScriptStep> CopyOfScript(int id) {
    const ScriptSelection selection = FindScript(id);
    return std::vector<ScriptStep>(selection.steps, selection.steps + selection.stepCount);
}

// Ticks exactly when the next step is due: the floor.
uint32_t FloorMilliseconds(int id) {
    std::vector<ScriptStep> steps = CopyOfScript(id);
    PageFlow flow = FlowFor(steps);
    FakeScriptHost host;
    const uint32_t start = host.clock;
    for (;;) {
        host.Deliver();
        if (flow.retryDeadline == 0 && host.clock < flow.nextStepTime)
            host.clock = flow.nextStepTime;
        if (ScriptTick(flow, host) != 0)
            return host.clock - start;
    }
}

} // namespace

int main(int argc, char** argv) {
    const int tickMs = argc > 1 ? std::atoi(argv[1]) : 20;
    const int id = argc > 2 ? std::atoi(argv[2]) : 0;
    if (tickMs < 1 || FindScript(id).stepCount == 0) {
        std::fprintf(stderr, "usage: script_bench [tick ms >= 1] [script id]\n");
        return 2;
    }
    const uint32_t floor = FloorMilliseconds(id);
    std::printf("script %d: floor %u ms; running it on the real clock, ticking every %d ms...\n",
                id, floor, tickMs);
    std::fflush(stdout);

    std::vector<ScriptStep> steps = CopyOfScript(id);
    PageFlow flow = FlowFor(steps);
    RealTimeHost host;
    const Clock::time_point begin = Clock::now();
    Clock::time_point nextTick = begin;
    int result = 0;
    while (result == 0) {
        std::this_thread::sleep_until(nextTick);
        nextTick += std::chrono::milliseconds(tickMs);
        host.Deliver();
        result = ScriptTick(flow, host);
    }
    const double took = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    const double ratio = took / floor;
    std::printf("script %d: took %.0f ms, floor %u ms, ratio %.4f (%.2f %% over the floor), "
                "result %d\n",
                id, took, floor, ratio, (ratio - 1.0) * 100.0, result);
    return result == 4 && ratio < 1.05 ? 0 : 1;
}
