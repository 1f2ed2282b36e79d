// A host in memory for the script engine: a main window whose commands open
// popups, popups closed by their buttons, a clock the caller drives, and a
// transcript of everything the engine did to it. Used by the unit tests and
// by the script benchmark.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "frame/script_engine.h"

class FakeScriptHost : public ScriptHost {
  public:
    struct Event {
        uint32_t time;
        std::string what;
    };

    // The model: which commands open a popup, how many times Stop (1004)
    // asks to confirm, which popup ids end a popup.
    std::set<int> popupCommands{1001, 1018, 1020, 1030, 1072, 1503, 1511};
    int confirmationsLeft = 1;
    std::set<int> closingIds{1, 2, 6, 7};
    std::set<int> nonButtons{3002, 3301, 3401, 3402, 3690, 3691,
                             3693, 3821, 3824, 4102, 4109, 4111};
    std::set<int> missingControls;
    bool hostWindowGone = false;
    bool hasBigCursor = true;
    std::function<bool(int command, uint32_t param)> ready = [](int, uint32_t) { return true; };
    std::function<std::string(int32_t id)> hostText = [](int32_t id) {
        return id == 8501 ? std::string("1.0") : id == 8502 ? std::string("200") : std::string();
    };

    uint32_t clock = 100000;
    int popupDepth = 0;
    std::vector<Event> events;

    // Posted messages take effect once the tick has returned, as on Windows.
    void Deliver() {
        std::vector<std::pair<int, bool>> posted;
        posted.swap(queue_);
        for (const auto& message : posted)
            Receive(message.first, message.second);
    }

    uint32_t Now() override { return clock; }
    void Wait(uint32_t milliseconds) override { clock += milliseconds; }

    bool TakeFrontWindow() override {
        frontIsPopup_ = popupDepth > 0;
        return !hostWindowGone;
    }
    bool FrontIsHostWindow() override { return !frontIsPopup_; }
    void ActivateFront() override {}

    void SendText(uint32_t param) override {
        Log("text " + std::to_string(param & 0xFFFF) + "/" + std::to_string(param >> 16));
    }
    bool AskReady(int command, uint32_t param) override {
        Log("ready " + std::to_string(command) + " " + std::to_string(param >> 16) +
            ((param & 0xFFFF) == 1 ? " main" : " popup"));
        return ready(command, param);
    }
    void PostToFront(int command, uint32_t param) override {
        Log(command == kKeyCommand ? "key " + std::to_string(param)
                                   : "post " + std::to_string(command));
        if (command != kKeyCommand)
            queue_.emplace_back(command, frontIsPopup_);
    }

    bool TakeControl(int32_t id) override {
        control_ = id;
        return frontIsPopup_ && missingControls.count(id) == 0;
    }
    bool ControlIsButton() override { return nonButtons.count(control_) == 0; }
    void PressControl() override { Log("down " + std::to_string(control_)); }
    void ReleaseControl() override {
        Log("up " + std::to_string(control_));
        queue_.emplace_back(control_, true); // the button's click notification
    }
    void ShowControlText(const char* text) override {
        Log("type " + std::to_string(control_) + " " + text);
    }
    void ApplyControlAction(int32_t action) override {
        Log("action " + std::to_string(control_) + " " + std::to_string(action));
    }

    bool ShowBigCursor() override {
        if (hasBigCursor)
            Log("cursor");
        return hasBigCursor;
    }
    void RestoreCursor() override {}

    void FetchHostText(int32_t textId, char* buffer, int bufferSize) override {
        const std::string text = hostText(textId).substr(0, static_cast<size_t>(bufferSize - 1));
        text.copy(buffer, text.size());
        buffer[text.size()] = '\0';
    }

    // The events whose text starts with `prefix`, in order.
    std::vector<Event> EventsStartingWith(const std::string& prefix) const {
        std::vector<Event> found;
        for (const Event& event : events)
            if (event.what.compare(0, prefix.size(), prefix) == 0)
                found.push_back(event);
        return found;
    }

  private:
    void Log(const std::string& what) { events.push_back({Now(), what}); }

    void Receive(int id, bool inPopup) {
        if (inPopup) {
            if (closingIds.count(id) != 0 && popupDepth > 0)
                --popupDepth;
            return;
        }
        if (popupCommands.count(id) != 0 || (id == 1004 && confirmationsLeft-- > 0))
            ++popupDepth;
    }

    bool frontIsPopup_ = false;
    int32_t control_ = 0;
    std::vector<std::pair<int, bool>> queue_;
};

// Ticks a script to its end the way a host's timer does: posted messages,
// then a tick, then `tickMs` later the next. Returns the first non-zero
// result, or 0 when `maxTicks` ran out.
inline int TickUntilResult(PageFlow& flow, FakeScriptHost& host, uint32_t tickMs = 50,
                           int maxTicks = 100000) {
    for (int i = 0; i < maxTicks; ++i) {
        host.Deliver();
        const int result = ScriptTick(flow, host);
        if (result != 0)
            return result;
        host.clock += tickMs;
    }
    return 0;
}

// A flow with `steps` selected and the script phase just begun.
inline PageFlow FlowFor(std::vector<ScriptStep>& steps) {
    PageFlow flow{};
    flow.phase = kScriptPhase;
    flow.steps = steps.data();
    flow.stepCount = static_cast<int>(steps.size());
    flow.stepIndex = -1;
    flow.nextStepTime = 0;
    return flow;
}
