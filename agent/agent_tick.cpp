#include "agent/agent_tick.h"

namespace agent {

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";

}  // namespace

int16_t ShownPicture(int16_t picture) {
    return picture >= 1 && picture <= kPictureCount ? picture : int16_t(1);
}

bool HasClockFormat(const MessageCatalogue& catalogue) {
    return !catalogue.dateFormat.empty() || !catalogue.timeFormat.empty();
}

std::wstring ClockText(const MessageCatalogue& catalogue, const core::DateTime& now) {
    if (!HasClockFormat(catalogue)) {
        return core::FormatDateTime(now, L"hh:mm");
    }
    std::wstring text;
    if (!catalogue.dateFormat.empty()) {
        text = core::FormatDateTime(now, catalogue.dateFormat);
    }
    if (!catalogue.timeFormat.empty()) {
        if (!catalogue.dateFormat.empty()) {
            text += L' ';
        }
        text += core::FormatDateTime(now, catalogue.timeFormat);
    }
    return text;
}

MinuteView EvaluateMinute(const MessageCatalogue& catalogue, const Timetable& timetable,
                          const DayTable& dayTable, const core::Date& date, int now,
                          bool timetableInUse) {
    MinuteView view;
    view.picture = catalogue.defaultPicture;
    if (timetableInUse) {
        const std::wstring& plan = timetable.dayPlans[core::WeekdayMondayFirst(date) - 1];
        if (plan.empty()) {
            view.headline = view.normalText = catalogue.holidayText;
            view.picture = catalogue.holidayPicture;
            view.rest = true;
        } else if (const auto current = FindCurrentEntry(dayTable, now)) {
            const EntryWording wording =
                EntryTexts(dayTable, dayTable[*current], plan, catalogue.defaultPicture);
            view.headline = wording.headline;
            view.normalText = wording.normalText;
            view.picture = wording.picture;
            view.rest = dayTable[*current].kind != EntryKind::Item;
        }
    }
    if (view.headline.empty()) {
        view.rest = true;
    }
    const int today = core::DayOfYear(date);
    for (const TimedEntry& entry : catalogue.schedules) {
        if (!TimedEntryMatches(entry, today, now)) {
            continue;
        }
        if (!view.headline.empty()) {
            view.headline += kLineBreak;
            view.normalText += kLineBreak;
        }
        view.headline += entry.text;
        view.normalText += entry.text;
        if (view.picture == catalogue.defaultPicture) {
            view.picture = entry.picture;
        }
    }
    return view;
}

std::wstring AnnouncementView(const MessageCatalogue& catalogue, std::wstring_view clock,
                              std::wstring_view headline, std::wstring_view extra) {
    std::wstring text;
    if (HasClockFormat(catalogue)) {
        text.append(clock).append(catalogue.clockBreaks);
    }
    text.append(headline).append(catalogue.messageBreaks).append(extra);
    return text;
}

std::wstring NormalView(const MessageCatalogue& catalogue, std::wstring_view clock,
                        std::wstring_view normalText) {
    std::wstring text;
    if (HasClockFormat(catalogue)) {
        text.append(clock).append(catalogue.clockBreaks);
    }
    text.append(normalText);
    return text;
}

std::wstring ReplaceHead(std::wstring_view text, std::size_t headLength, std::wstring_view head) {
    std::wstring result(head);
    result.append(text.substr(std::min(headLength, text.size())));
    return result;
}

std::optional<std::size_t> DueMessageBox(const std::vector<TimedEntry>& boxes, int today, int now) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (!boxes[i].shown && TimedEntryMatches(boxes[i], today, now)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace agent
