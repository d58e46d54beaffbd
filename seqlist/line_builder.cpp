#include "line_builder.h"

#include <algorithm>
#include <limits>

namespace ordinell {

namespace {

constexpr uint64_t kSaturated = std::numeric_limits<uint64_t>::max();

uint64_t AddSat(uint64_t a, uint64_t b) {
    return a > kSaturated - b ? kSaturated : a + b;
}

uint64_t MulSat(uint64_t a, uint64_t b) {
    return a != 0 && b > kSaturated / a ? kSaturated : a * b;
}

// Writes the digits of magnitude, padded with zeros to padWidth, ending just before end.
// Returns the first character written.
template <class Char>
Char* WriteDigits(uint64_t magnitude, size_t padWidth, Char* end) {
    Char* first = end;
    do {
        *--first = static_cast<Char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (static_cast<size_t>(end - first) < padWidth) {
        *--first = Char('0');
    }
    return first;
}

template <class Char>
void AppendValue(std::basic_string<Char>& out, int64_t value, size_t padWidth) {
    if (value < 0) {
        out += Char('-');
    }
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    constexpr size_t kMaxDigits = 20;
    if (padWidth > kMaxDigits) {
        out.append(padWidth - kMaxDigits, Char('0'));
        padWidth = kMaxDigits;
    }
    Char digits[kMaxDigits];
    Char* end = digits + kMaxDigits;
    const Char* first = WriteDigits(magnitude, padWidth, end);
    out.append(first, static_cast<size_t>(end - first));
}

// A part of the line in the output's character type.
template <class Text>
Text PartText(bool included, const std::wstring& text) {
    return included ? Text(text.begin(), text.end()) : Text();
}

// Total width of the texts of the magnitudes low..high (0 <= low <= high), in bands of
// equal digit count.
uint64_t SumOfMagnitudeWidths(uint64_t low, uint64_t high, size_t padWidth) {
    uint64_t total = 0;
    uint64_t bandLow = 0;
    uint64_t bandHigh = 9;
    for (uint64_t digits = 1; bandLow <= high; ++digits) {
        const uint64_t from = std::max(low, bandLow);
        const uint64_t to = std::min(high, bandHigh);
        if (from <= to) {
            const uint64_t width = std::max<uint64_t>(digits, padWidth);
            total = AddSat(total, MulSat(to - from + 1, width));
        }
        if (bandHigh > kSaturated / 10) {
            break;
        }
        bandLow = bandHigh + 1;
        bandHigh = bandHigh * 10 + 9;
    }
    return total;
}

}  // namespace

std::wstring FormatValue(int64_t value, size_t padWidth) {
    std::wstring text;
    AppendValue<wchar_t>(text, value, padWidth);
    return text;
}

uint64_t SumOfValueWidths(const NumberRange& range) {
    const int64_t low = std::min(range.start, range.end);
    const int64_t high = std::max(range.start, range.end);
    uint64_t total = 0;
    if (low < 0) {
        // Negative values: a minus sign each, then the digits of -high' .. -low.
        const int64_t negativeHigh = std::min<int64_t>(high, -1);
        const uint64_t count = static_cast<uint64_t>(negativeHigh - low + 1);
        total = AddSat(count, SumOfMagnitudeWidths(static_cast<uint64_t>(-negativeHigh),
                                                   static_cast<uint64_t>(-low), range.padWidth));
    }
    if (high >= 0) {
        total = AddSat(total, SumOfMagnitudeWidths(static_cast<uint64_t>(std::max<int64_t>(low, 0)),
                                                   static_cast<uint64_t>(high), range.padWidth));
    }
    return total;
}

template <class Char>
ValueTexts<Char>::ValueTexts(const NumberRange& range) {
    const uint64_t count = range.Count();
    chars_.reserve(SumOfValueWidths(range));
    starts_.reserve(count + 1);
    for (uint64_t index = 0; index < count; ++index) {
        starts_.push_back(chars_.size());
        AppendValue(chars_, range.ValueAt(index), range.padWidth);
    }
    starts_.push_back(chars_.size());
}

OutputSize MeasureOutput(const RunParams& params) {
    const auto& [first, second] = params.numbers;
    const auto& include = params.include;
    const uint64_t linesPerOuter = include[kNumber2] ? second.Count() : 1;
    const uint64_t lines = MulSat(first.Count(), linesPerOuter);

    uint64_t fixed = 2;  // CR LF
    fixed += include[kString1] ? params.strings[0].size() : 0;
    fixed += include[kString2] ? params.strings[1].size() : 0;
    fixed += include[kString3] ? params.strings[2].size() : 0;

    uint64_t chars = MulSat(lines, fixed);
    if (include[kNumber1]) {
        chars = AddSat(chars, MulSat(linesPerOuter, SumOfValueWidths(first)));
    }
    if (include[kNumber2]) {
        chars = AddSat(chars, MulSat(first.Count(), SumOfValueWidths(second)));
    }
    return {lines, chars};
}

bool FitsInOutputBox(const OutputSize& size) {
    return size.lines <= kMaxOutputLines && size.chars <= kMaxOutputChars;
}

template <class Text>
std::optional<Text> BuildOutput(const RunParams& params,
                                const std::function<bool()>& afterOuterValue) {
    using Char = typename Text::value_type;
    const auto& include = params.include;
    const auto texts = [&](LinePart part, const NumberRange& range) {
        return include[part] ? ValueTexts<Char>(range) : ValueTexts<Char>();
    };
    const ValueTexts<Char> firstTexts = texts(kNumber1, params.numbers[0]);
    const ValueTexts<Char> secondTexts = texts(kNumber2, params.numbers[1]);
    const Text string1 = PartText<Text>(include[kString1], params.strings[0]);
    const Text string2 = PartText<Text>(include[kString2], params.strings[1]);
    const Text suffix =
        PartText<Text>(include[kString3], params.strings[2]) + Char('\r') + Char('\n');
    const uint64_t outerCount = params.numbers[0].Count();
    const uint64_t innerCount = include[kNumber2] ? params.numbers[1].Count() : 0;

    Text out;
    out.reserve(MeasureOutput(params).chars);
    Text prefix;
    for (uint64_t outer = 0; outer < outerCount; ++outer) {
        prefix = string1;
        if (include[kNumber1]) {
            prefix += firstTexts[outer];
        }
        prefix += string2;
        if (innerCount == 0) {
            out += prefix;
            out += suffix;
        }
        for (uint64_t inner = 0; inner < innerCount; ++inner) {
            out += prefix;
            out += secondTexts[inner];
            out += suffix;
        }
        if (!afterOuterValue()) {
            return std::nullopt;
        }
    }
    return out;
}

template class ValueTexts<wchar_t>;
template class ValueTexts<char16_t>;
template std::optional<std::wstring> BuildOutput(const RunParams&, const std::function<bool()>&);
template std::optional<std::u16string> BuildOutput(const RunParams&, const std::function<bool()>&);

}  // namespace ordinell
