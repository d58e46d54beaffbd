// Run-time helpers shared by every program: the portable part (everything except the
// system's own date and time forms and the clock, which live in the platform halves).
#include "core/runtime.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace core {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

bool IsAsciiDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

wchar_t AsciiLower(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c;
}

// --- Text to number -----------------------------------------------------------------

// Walks the text one character at a time, stepping over blanks wherever they stand.
// Peek gives 0 at the end of the text.
class BlankSkippingReader {
  public:
    explicit BlankSkippingReader(std::wstring_view text) : text_(text) {}

    wchar_t Peek() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : L'\0';
    }
    void Advance() { ++pos_; }

    // Consumes the next character when it is one of the given ones (ASCII letters match
    // either case).
    bool Accept(std::wstring_view choices) {
        if (choices.find(AsciiLower(Peek())) == std::wstring_view::npos) {
            return false;
        }
        Advance();
        return true;
    }

  private:
    std::wstring_view text_;
    size_t pos_ = 0;
};

// The value of c as a digit of the radix (up to 16), or -1.
int DigitValue(wchar_t c, int radix) {
    int value = -1;
    if (IsAsciiDigit(c)) {
        value = c - L'0';
    } else if (const wchar_t lower = AsciiLower(c); lower >= L'a' && lower <= L'f') {
        value = lower - L'a' + 10;
    }
    return value < radix ? value : -1;
}

// Digits after "&H" or "&O". Values that fit 16 or 32 bits are read as two's complement
// of that width, the way such literals have always been read; longer ones stay unsigned.
double ValRadix(BlankSkippingReader& reader, int radix) {
    double value = 0;
    for (int digit; (digit = DigitValue(reader.Peek(), radix)) >= 0; reader.Advance()) {
        value = std::min(value * radix + digit, std::numeric_limits<double>::max());
    }
    if (value <= 0xFFFF) {
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    }
    if (value <= 0xFFFFFFFF) {
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    return value;
}

// A scanned decimal number: value = significand (digits, no leading zeros) x 10^exponent.
struct ScannedDecimal {
    bool negative = false;
    std::string significand;
    int64_t exponent = 0;
};

// Exponents are capped far beyond the double range so the sums below cannot overflow.
constexpr int64_t kExponentCap = 1'000'000'000;

int64_t ScanExponent(BlankSkippingReader& reader) {
    if (!reader.Accept(L"ed")) {
        return 0;
    }
    const bool negative = reader.Peek() == L'-';
    reader.Accept(L"+-");
    int64_t exponent = 0;
    for (; IsAsciiDigit(reader.Peek()); reader.Advance()) {
        exponent = std::min(exponent * 10 + (reader.Peek() - L'0'), kExponentCap);
    }
    return negative ? -exponent : exponent;
}

ScannedDecimal ScanDecimal(BlankSkippingReader& reader) {
    ScannedDecimal number;
    number.negative = reader.Peek() == L'-';
    reader.Accept(L"+-");
    bool afterPoint = false;
    for (;; reader.Advance()) {
        const wchar_t c = reader.Peek();
        if (c == L'.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!IsAsciiDigit(c)) {
            break;
        }
        if (afterPoint) {
            --number.exponent;
        }
        if (c != L'0' || !number.significand.empty()) {
            number.significand.push_back(static_cast<char>(c));
        }
    }
    number.exponent += ScanExponent(reader);
    return number;
}

double ToDouble(const ScannedDecimal& number) {
    if (number.significand.empty()) {
        return 0;
    }
    // Order of magnitude of the leading digit: decides overflow and underflow up front.
    const int64_t magnitude = number.exponent + static_cast<int64_t>(number.significand.size()) - 1;
    double value = 0;
    if (magnitude > std::numeric_limits<double>::max_exponent10) {
        value = std::numeric_limits<double>::max();
    } else if (magnitude >= std::numeric_limits<double>::min_exponent10 - 20) {
        const std::string text = number.significand + "e" + std::to_string(number.exponent);
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            value = magnitude > 0 ? std::numeric_limits<double>::max() : 0.0;
        }
    }
    return number.negative ? -value : value;
}

// --- Rounding ---------------------------------------------------------------------------

// Nearest integer, halves to even; infinities and NaN come back as they are.
double RoundHalfEven(double value) {
    double result = std::floor(value);
    const double fraction = value - result;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(result, 2.0) != 0)) {
        result += 1;
    }
    return result;
}

template <typename Int>
std::optional<Int> RoundToInteger(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Int>::min() &&
          rounded <= std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

// --- Pictures: literal text shared by number and date pictures -----------------------

// When picture[pos] opens literal text (a double-quoted run, or "\" and one character),
// appends that text to out, moves pos past it and returns true. An unclosed quote runs to
// the end of the picture.
bool TakeLiteral(std::wstring_view picture, size_t& pos, std::wstring& out) {
    if (picture[pos] == L'\\') {
        if (pos + 1 < picture.size()) {
            out.push_back(picture[pos + 1]);
        }
        pos = std::min(pos + 2, picture.size());
        return true;
    }
    if (picture[pos] == L'"') {
        const size_t close = picture.find(L'"', pos + 1);
        const size_t end = close == std::wstring_view::npos ? picture.size() : close;
        out.append(picture.substr(pos + 1, end - pos - 1));
        pos = std::min(end + 1, picture.size());
        return true;
    }
    return false;
}

// --- Number patterns ----------------------------------------------------------------------

// |value| in fixed notation from its first 15 significant digits, the precision the
// numbers are meant to carry; this keeps binary noise (2.675 stored as 2.67499...) from
// deciding a rounding.
struct FixedDigits {
    std::string integer;   // no leading zeros; empty for 0
    std::string fraction;  // every digit after the point, possibly with trailing zeros
};

FixedDigits ToFixedDigits(double magnitude) {
    FixedDigits fixed;
    if (magnitude == 0) {
        return fixed;
    }
    constexpr int kSignificant = 15;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kSignificant - 1);
    const std::string_view text(buffer, result.ptr - buffer);  // d.dddde[+-]xx
    const size_t e = text.find('e');
    std::string digits(text.substr(0, 1));
    digits.append(text.substr(2, e - 2));
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    if (exponent >= 0) {
        digits.resize(std::max<size_t>(digits.size(), exponent + 1), '0');
        fixed.integer = digits.substr(0, exponent + 1);
        fixed.fraction = digits.substr(exponent + 1);
    } else {
        fixed.fraction = std::string(-exponent - 1, '0') + digits;
    }
    return fixed;
}

// Rounds half away from zero to the given number of decimals; the fraction then has
// exactly that many digits.
void RoundToDecimals(FixedDigits& fixed, size_t decimals) {
    const bool roundUp = fixed.fraction.size() > decimals && fixed.fraction[decimals] >= '5';
    fixed.fraction.resize(decimals, '0');
    if (!roundUp) {
        return;
    }
    std::string all = fixed.integer + fixed.fraction;
    size_t i = all.size();
    while (i > 0 && all[i - 1] == '9') {
        all[--i] = '0';
    }
    if (i == 0) {
        all.insert(all.begin(), '1');
    } else {
        ++all[i - 1];
    }
    fixed.integer = all.substr(0, all.size() - decimals);
    fixed.fraction = all.substr(all.size() - decimals);
}

std::wstring Widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring NonFiniteText(double value) {
    if (std::isnan(value)) {
        return L"nan";
    }
    return value < 0 ? L"-inf" : L"inf";
}

std::wstring GeneralNumber(double value) {
    FixedDigits fixed = ToFixedDigits(std::fabs(value));
    fixed.fraction.erase(fixed.fraction.find_last_not_of('0') + 1);
    std::wstring text = fixed.integer.empty() ? L"0" : Widen(fixed.integer);
    if (!fixed.fraction.empty()) {
        text += L'.' + Widen(fixed.fraction);
    }
    return (value < 0 && text != L"0" ? L"-" : L"") + text;
}

// One element of a number pattern.
struct PatternItem {
    enum class Kind { kZero, kHash, kPoint, kLiteral };
    Kind kind;
    std::wstring literal;
};

bool IsPlaceholder(const PatternItem& item) {
    return item.kind == PatternItem::Kind::kZero || item.kind == PatternItem::Kind::kHash;
}

// Splits a pattern into items; only the first "." is the decimal point.
std::vector<PatternItem> ParsePattern(std::wstring_view pattern) {
    std::vector<PatternItem> items;
    bool pointSeen = false;
    for (size_t pos = 0; pos < pattern.size();) {
        std::wstring literal;
        if (TakeLiteral(pattern, pos, literal)) {
            items.push_back({PatternItem::Kind::kLiteral, literal});
            continue;
        }
        const wchar_t c = pattern[pos++];
        if (c == L'0') {
            items.push_back({PatternItem::Kind::kZero, {}});
        } else if (c == L'#') {
            items.push_back({PatternItem::Kind::kHash, {}});
        } else if (c == L'.' && !pointSeen) {
            pointSeen = true;
            items.push_back({PatternItem::Kind::kPoint, {}});
        } else {
            items.push_back({PatternItem::Kind::kLiteral, std::wstring(1, c)});
        }
    }
    return items;
}

// Writes the integer digits into the placeholders before the point, right-aligned; the
// leftmost placeholder takes every digit left over. Without integer placeholders the
// digits go right before the point.
std::wstring RenderIntegerPart(const std::vector<PatternItem>& items, size_t point,
                               const std::string& digits) {
    const int64_t placeholders = std::count_if(items.begin(), items.begin() + point, IsPlaceholder);
    // Placeholder k (0 = leftmost) shows digit overflow + k, when there is one.
    const int64_t overflow = static_cast<int64_t>(digits.size()) - placeholders;
    std::wstring out;
    int64_t k = 0;
    for (size_t i = 0; i < point; ++i) {
        if (!IsPlaceholder(items[i])) {
            out += items[i].literal;
        } else if (k == 0 && overflow > 0) {
            out += Widen(std::string_view(digits).substr(0, overflow + 1));
        } else if (overflow + k >= 0) {
            out += static_cast<wchar_t>(digits[overflow + k]);
        } else if (items[i].kind == PatternItem::Kind::kZero) {
            out += L'0';
        }
        k += IsPlaceholder(items[i]) ? 1 : 0;
    }
    if (placeholders == 0 && point < items.size()) {
        out += Widen(digits);
    }
    return out;
}

// Writes the fraction digits into the placeholders after the point; zeros at the end that
// fall on "#" placeholders are left out. The point itself is always written.
std::wstring RenderFractionPart(const std::vector<PatternItem>& items, size_t point,
                                const std::string& digits) {
    std::vector<bool> shown(digits.size(), true);
    size_t index = digits.size();
    for (size_t i = items.size(); i > point + 1 && index > 0; --i) {
        if (!IsPlaceholder(items[i - 1])) {
            continue;
        }
        --index;
        if (items[i - 1].kind == PatternItem::Kind::kZero || digits[index] != '0') {
            break;
        }
        shown[index] = false;
    }
    std::wstring out = L".";
    index = 0;
    for (size_t i = point + 1; i < items.size(); ++i) {
        if (!IsPlaceholder(items[i])) {
            out += items[i].literal;
        } else {
            if (shown[index]) {
                out += static_cast<wchar_t>(digits[index]);
            }
            ++index;
        }
    }
    return out;
}

// --- Dates ----------------------------------------------------------------------------------

// Days from 1970-01-01 to the date (proleptic Gregorian calendar).
int64_t DaysFromEpoch(const Date& date) {
    const int64_t year = static_cast<int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t monthFromMarch = (date.month + 9) % 12;
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// --- Date pictures --------------------------------------------------------------------------

constexpr std::wstring_view kWeekdayNames[] = {L"月", L"火", L"水", L"木", L"金", L"土", L"日"};

// A date/time code of a picture: its letter (lower case) and how many times it repeats.
struct DateCode {
    wchar_t letter;
    size_t count;
};

// The longest code the run of `run` equal letters starts with; 0 when the run is literal.
size_t CodeLength(wchar_t letter, size_t run) {
    switch (letter) {
        case L'd':
        case L'm':
            return std::min<size_t>(run, 4);
        case L'y':
            return run >= 4 ? 4 : std::min<size_t>(run, 2);
        case L'h':
        case L'n':
        case L's':
            return std::min<size_t>(run, 2);
        case L'a':
            return run >= 3 ? std::min<size_t>(run, 4) : 0;
        default:
            return 0;
    }
}

std::wstring Number(int64_t value, size_t width) {
    std::wstring digits = std::to_wstring(value < 0 ? -value : value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), L'0');
    }
    return value < 0 ? L"-" + digits : digits;
}

std::wstring WeekdayName(const Date& date, bool full) {
    const std::wstring_view name = kWeekdayNames[WeekdayMondayFirst(date) - 1];
    return full ? std::wstring(name) + L"曜日" : std::wstring(name);
}

// The text of one code; `minutes` tells an m/mm code that it stands for minutes.
std::wstring RenderDateCode(const DateTime& when, DateCode code, bool minutes) {
    const Date& date = when.date;
    const size_t width = code.count == 2 ? 2 : 1;
    switch (code.letter) {
        case L'd':
            return code.count <= 2 ? Number(date.day, width) : WeekdayName(date, code.count == 4);
        case L'a':
            return WeekdayName(date, code.count == 4);
        case L'm':
            if (code.count > 2) {
                return std::to_wstring(date.month) + L"月";
            }
            return Number(minutes ? when.minute : date.month, width);
        case L'y':
            if (code.count == 1) {
                return std::to_wstring(DayOfYear(date) + 1);
            }
            return code.count == 2 ? Number((date.year % 100 + 100) % 100, 2)
                                   : Number(date.year, 4);
        case L'h':
            return Number(when.hour, width);
        case L'n':
            return Number(when.minute, width);
        default:  // 's'
            return Number(when.second, width);
    }
}

}  // namespace

double Val(std::wstring_view text) {
    BlankSkippingReader reader(text);
    if (reader.Peek() == L'&') {
        reader.Advance();
        if (reader.Accept(L"h")) {
            return ValRadix(reader, 16);
        }
        return reader.Accept(L"o") ? ValRadix(reader, 8) : 0.0;
    }
    const double value = ToDouble(ScanDecimal(reader));
    return value == 0 ? 0.0 : value;  // no negative zero
}

std::optional<int16_t> RoundToInt16(double value) {
    return RoundToInteger<int16_t>(value);
}

std::optional<int32_t> RoundToInt32(double value) {
    return RoundToInteger<int32_t>(value);
}

std::wstring FormatNumber(double value, std::wstring_view pattern) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    if (pattern.empty()) {
        return GeneralNumber(value);
    }
    const std::vector<PatternItem> items = ParsePattern(pattern);
    size_t point = 0;
    while (point < items.size() && items[point].kind != PatternItem::Kind::kPoint) {
        ++point;
    }
    const auto decimals =
        point < items.size() ? std::count_if(items.begin() + point, items.end(), IsPlaceholder) : 0;
    FixedDigits fixed = ToFixedDigits(std::fabs(value));
    RoundToDecimals(fixed, decimals);
    std::wstring text = RenderIntegerPart(items, point, fixed.integer);
    if (point < items.size()) {
        text += RenderFractionPart(items, point, fixed.fraction);
    }
    const bool zero =
        fixed.integer.empty() && fixed.fraction.find_first_not_of('0') == std::string::npos;
    return value < 0 && !zero ? L"-" + text : text;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(const Date& date) {
    return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int64_t DayDiff(const Date& a, const Date& b) {
    return DaysFromEpoch(b) - DaysFromEpoch(a);
}

int WeekdayMondayFirst(const Date& date) {
    // 1970-01-01 was a Thursday (4).
    const int64_t shifted = (DaysFromEpoch(date) + 3) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

int DayOfYear(const Date& date) {
    return static_cast<int>(DayDiff(Date{date.year, 1, 1}, date));
}

std::wstring FormatDateTime(const DateTime& when, std::wstring_view picture) {
    std::wstring out;
    wchar_t previousCode = 0;
    for (size_t pos = 0; pos < picture.size();) {
        if (TakeLiteral(picture, pos, out)) {
            continue;
        }
        const wchar_t letter = AsciiLower(picture[pos]);
        size_t run = 1;
        while (pos + run < picture.size() && AsciiLower(picture[pos + run]) == letter) {
            ++run;
        }
        const size_t length = CodeLength(letter, run);
        if (length == 0) {
            out.append(picture.substr(pos, run));
            pos += run;
            continue;
        }
        const DateCode code{letter, length};
        out += RenderDateCode(when, code, letter == L'm' && previousCode == L'h');
        previousCode = letter;
        pos += length;
    }
    return out;
}

namespace {

uint64_t ClockSeed() {
    // A count of instances keeps two generators made within one clock tick apart.
    static std::atomic<uint64_t> instances{0};
    const auto now = std::chrono::system_clock::now().time_since_epoch().count();
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint64_t>(now) ^ (static_cast<uint64_t>(ticks) << 17) ^
           (++instances * 0xD1B54A32D192ED03ULL);
}

}  // namespace

Random::Random(uint64_t seed) : state_(seed) {}

Random::Random() : Random(ClockSeed()) {}

double Random::Next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;  // the top 53 bits, in [0, 1)
}

}  // namespace core
