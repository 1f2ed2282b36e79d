// What the host knows of a running demonstration, learnt only from the
// module's result codes and the commands it passed on: phase, page, last
// result. Decides what the status line says and when a screenshot is due.
#pragma once

#include <string>

enum class DemoPhase { NotStarted, Pages, PagesOver, Script, Over };

struct ProgressChange {
    bool ended = false;       // result 4 arrived: the host ends the demonstration
    std::string shotLabel;    // non-empty: a screenshot is due, named by this label
    bool scriptBegan = false; // result 3 arrived: the module's script phase has begun
};

class DemoProgress {
  public:
    ProgressChange Started();     // DemoInit (open form) succeeded: page 0
    ProgressChange Restarted();   // DemoInit (restart form) succeeded
    ProgressChange HelpStarted(); // a help topic's script runs
    ProgressChange CommandResult(int command, int result);
    ProgressChange TickResult(int result);

    DemoPhase Phase() const { return phase_; }
    int Page() const { return page_; }
    int LastResult() const { return lastResult_; }
    // A demonstration is open and ticking (page, pages-over or script phase).
    bool Running() const;

    std::string StatusText() const;
    // Label for the regular screenshots while the demonstration runs.
    std::string PeriodicLabel() const;

  private:
    ProgressChange ApplyResult(int result);

    DemoPhase phase_ = DemoPhase::NotStarted;
    int page_ = 0;
    int lastResult_ = 0;
};
