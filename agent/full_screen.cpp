#include "agent/full_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace agent {

namespace {

int64_t OverlapArea(const forms::Rect& a, const forms::Rect& b) {
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
int64_t GapSquared(const forms::Rect& a, const forms::Rect& b) {
    const int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

bool Contains(const forms::Rect& outer, const forms::Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

}  // namespace

std::size_t MonitorOf(const forms::Rect& window, const std::vector<forms::Rect>& monitors) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < monitors.size(); ++i) {
        const int64_t overlap = OverlapArea(window, monitors[i]);
        const int64_t bestOverlap = OverlapArea(window, monitors[best]);
        if (overlap > bestOverlap ||
            (overlap == 0 && bestOverlap == 0 &&
             GapSquared(window, monitors[i]) < GapSquared(window, monitors[best]))) {
            best = i;
        }
    }
    return best;
}

bool CoversAgentsMonitor(const forms::ForegroundWindow& foreground,
                         const std::vector<forms::Rect>& monitors, const forms::Rect& agent) {
    if (!foreground.otherProgram || monitors.empty()) {
        return false;
    }
    return Contains(foreground.clientArea, monitors[MonitorOf(agent, monitors)]);
}

forms::Rect PixelRect(const forms::Form& form) {
    const core::TwipsPerPixel tpp = form.GetApp().Screen().tpp;
    const auto x = [&](double twips) { return int(std::lround(twips / tpp.x)); };
    const auto y = [&](double twips) { return int(std::lround(twips / tpp.y)); };
    return {x(form.Left()), y(form.Top()), x(form.Left() + form.Width()),
            y(form.Top() + form.Height())};
}

void StepAside::Keep(forms::Form& agent, forms::Form& messageWindow,
                     const std::vector<TimedEntry>& boxes, int today, int now) {
    if (!active_) {
        active_ = true;
        agentHidden_ = false;
        messageHidden_ = false;
    }
    if (agent.Visible()) {
        agent.Hide();
        agentHidden_ = true;
    }
    if (messageWindow.Visible()) {
        messageWindow.Hide();
        messageHidden_ = true;
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i].shown && TimedEntryMatches(boxes[i], today, now) &&
            std::find(waiting_.begin(), waiting_.end(), i) == waiting_.end()) {
            waiting_.push_back(i);
        }
    }
}

void StepAside::End(forms::Form& agent, forms::Form& messageWindow) {
    active_ = false;
    if (agentHidden_) {
        agent.Show();
    }
    if (messageHidden_) {
        messageWindow.Show();
        messageWindow.SetTopmost(true);
    }
}

std::optional<std::size_t> StepAside::TakeWaitingBox(const std::vector<TimedEntry>& boxes) {
    while (!waiting_.empty()) {
        const std::size_t index = waiting_.front();
        waiting_.erase(waiting_.begin());
        if (index < boxes.size() && !boxes[index].shown) {
            return index;
        }
    }
    return std::nullopt;
}

}  // namespace agent
