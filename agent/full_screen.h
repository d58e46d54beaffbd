// The agent steps aside for a full-screen program: while the foreground window belongs to
// another program and covers the whole monitor the agent window is on (a slide show, a
// video), the agent window and its message window stay hidden and due message boxes wait;
// afterwards both come back as they were.
#pragma once

#include <cstddef>
#include <vector>

#include "agent/timed_entry.h"
#include "forms/forms.h"

namespace agent {

// The monitor a window is on: the one it overlaps most, else the nearest; 0 (the primary)
// when the list is empty.
std::size_t MonitorOf(const forms::Rect& window, const std::vector<forms::Rect>& monitors);

// Whether the foreground window, a window of another program, covers the whole monitor
// the agent window (at agent, in screen pixels) is on.
bool CoversAgentsMonitor(const forms::ForegroundWindow& foreground,
                         const std::vector<forms::Rect>& monitors, const forms::Rect& agent);

// A form's outer rectangle in screen pixels.
forms::Rect PixelRect(const forms::Form& form);

// The agent out of sight, and what comes back when it returns.
class StepAside {
  public:
    bool Active() const { return active_; }

    // One tick with a full-screen program over the agent: the shown windows are hidden
    // (also one shown meanwhile by other means), and every message box that falls due
    // now waits.
    void Keep(forms::Form& agent, forms::Form& messageWindow, const std::vector<TimedEntry>& boxes,
              int today, int now);

    // The full-screen program has gone: the windows hidden for it are shown again.
    void End(forms::Form& agent, forms::Form& messageWindow);

    // The first waiting box not shown since, taken off the list.
    std::optional<std::size_t> TakeWaitingBox(const std::vector<TimedEntry>& boxes);

  private:
    bool active_ = false;
    bool agentHidden_ = false;
    bool messageHidden_ = false;
    std::vector<std::size_t> waiting_;  // message boxes due while aside, in the order found
};

}  // namespace agent
