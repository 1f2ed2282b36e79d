#include "host/demo_progress.h"

#include "host/module_messages.h"

ProgressChange DemoProgress::Started() {
    phase_ = DemoPhase::Pages;
    page_ = 0;
    lastResult_ = kResultGoOn;
    return ProgressChange{false, "start"};
}

ProgressChange DemoProgress::Restarted() {
    // The module goes back to page 0 only while its pages are shown.
    if (phase_ == DemoPhase::Pages) {
        page_ = 0;
    }
    return ProgressChange{false, "restart"};
}

ProgressChange DemoProgress::HelpStarted() {
    phase_ = DemoPhase::Script;
    lastResult_ = kResultGoOn;
    return ProgressChange{false, "help"};
}

ProgressChange DemoProgress::CommandResult(int command, int result) {
    if (result == kResultGoOn && phase_ == DemoPhase::Pages) {
        lastResult_ = result;
        if (command == kCommandNext) {
            ++page_;
            return ProgressChange{false, "page" + std::to_string(page_)};
        }
        if (command == kCommandPrevious && page_ > 0) {
            --page_;
            return ProgressChange{false, "page" + std::to_string(page_)};
        }
        return ProgressChange{};
    }
    return ApplyResult(result);
}

ProgressChange DemoProgress::TickResult(int result) {
    return ApplyResult(result);
}

bool DemoProgress::Running() const {
    return phase_ == DemoPhase::Pages || phase_ == DemoPhase::PagesOver ||
           phase_ == DemoPhase::Script;
}

ProgressChange DemoProgress::ApplyResult(int result) {
    ProgressChange change;
    if (!Running()) {
        return change;
    }
    // Ticks answer 0 nearly always; only a command's 0 is worth showing.
    if (result != kResultGoOn) {
        lastResult_ = result;
    }
    if (result == kResultPagesOver && phase_ == DemoPhase::Pages) {
        phase_ = DemoPhase::PagesOver;
        change.shotLabel = "pages-over";
    } else if (result == kResultScriptPhase && phase_ != DemoPhase::Script) {
        phase_ = DemoPhase::Script;
        change.scriptBegan = true;
        change.shotLabel = "script";
    } else if (result == kResultOver) {
        phase_ = DemoPhase::Over;
        change.ended = true;
        change.shotLabel = "end";
    }
    return change;
}

std::string DemoProgress::StatusText() const {
    std::string phase;
    switch (phase_) {
    case DemoPhase::NotStarted:
        return "Not started";
    case DemoPhase::Pages:
        phase = "Page phase, page " + std::to_string(page_);
        break;
    case DemoPhase::PagesOver:
        phase = "Pages over";
        break;
    case DemoPhase::Script:
        phase = "Script phase";
        break;
    case DemoPhase::Over:
        phase = "Demonstration over";
        break;
    }
    return phase + "  |  last result " + std::to_string(lastResult_) + " (" +
           ResultMeaning(lastResult_) + ")";
}

std::string DemoProgress::PeriodicLabel() const {
    switch (phase_) {
    case DemoPhase::Pages:
        return page_ == 0 ? "show" : "page" + std::to_string(page_);
    case DemoPhase::PagesOver:
        return "pages-over";
    case DemoPhase::Script:
        return "script";
    default:
        return "idle";
    }
}
