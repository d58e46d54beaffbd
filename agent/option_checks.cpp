#include "agent/option_checks.h"

#include <cmath>
#include <limits>

#include "core/text.h"

namespace agent {

namespace {

constexpr int32_t kMaxKey = std::numeric_limits<int16_t>::max();

bool InRange(int16_t value, int16_t low, int16_t high) {
    return value >= low && value <= high;
}

void KeepOrDefault(int16_t& value, bool valid, int16_t fallback) {
    if (!valid) {
        value = fallback;
    }
}

bool IsEnclosedInQuotes(std::wstring_view text) {
    return text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') &&
           text.back() == text.front();
}

}  // namespace

int PixelFactor(double twipsPerPixel) {
    const double rounded = std::round(twipsPerPixel);
    return rounded >= 1 ? int(rounded) : 1;
}

int TwipsToPixelsShown(int16_t twips, int factor) {
    return twips / factor;
}

int16_t PixelsToStoredTwips(int32_t pixels, int factor) {
    const int64_t twips = int64_t(pixels) * factor;
    return int16_t(twips > kMaxKey ? kMaxKey : twips);
}

int32_t LeadingNumber(std::wstring_view text) {
    size_t at = text.find_first_not_of(L' ');
    int32_t value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > kMaxKey) {
            return kMaxKey;
        }
    }
    return value;
}

int16_t EffectiveSoundFlag(int16_t stored) {
    const AgentOptions defaults;
    return InRange(stored, 0, 2) ? stored : defaults.soundFlag;
}

AgentOptions EffectiveOptions(const AgentOptions& options) {
    const AgentOptions defaults;
    AgentOptions o = options;
    KeepOrDefault(o.formShow, InRange(o.formShow, 0, 1), defaults.formShow);
    o.soundFlag = EffectiveSoundFlag(o.soundFlag);
    KeepOrDefault(o.clockAdjust, InRange(o.clockAdjust, -kMaxClockAdjust, kMaxClockAdjust), 0);
    KeepOrDefault(o.pcTime, o.pcTime >= 0, defaults.pcTime);
    KeepOrDefault(o.fDirect, InRange(o.fDirect, 1, 4), defaults.fDirect);
    KeepOrDefault(o.fWidth, o.fWidth > 0, defaults.fWidth);
    KeepOrDefault(o.fHeight, o.fHeight > 0, defaults.fHeight);
    KeepOrDefault(o.fbSpace, o.fbSpace >= 0, defaults.fbSpace);
    KeepOrDefault(o.bPos, InRange(o.bPos, 1, 2), defaults.bPos);
    KeepOrDefault(o.pFlag, InRange(o.pFlag, 0, 1), defaults.pFlag);
    KeepOrDefault(o.lPopFlag, InRange(o.lPopFlag, 0, 1), defaults.lPopFlag);
    return o;
}

StoreProblem CheckStorable(std::wstring_view text) {
    const std::string bytes = core::ToCp932(text);
    if (core::FromCp932(bytes) != text || IsEnclosedInQuotes(text)) {
        return StoreProblem::Unstorable;
    }
    for (wchar_t c : text) {
        if (c < L' ' || c == 0x7F) {
            return StoreProblem::Unstorable;
        }
    }
    if (bytes.size() > size_t(kMaxStoredBytes)) {
        return StoreProblem::TooLong;
    }
    return StoreProblem::None;
}

std::wstring_view StoreProblemMessage(StoreProblem problem) {
    switch (problem) {
        case StoreProblem::TooLong:
            return L"長すぎます。全角127文字（半角255文字）以内で入力してください。";
        case StoreProblem::Unstorable:
            return L"設定ファイルに保存できない文字が含まれています。";
        case StoreProblem::None:
            break;
    }
    return {};
}

}  // namespace agent
