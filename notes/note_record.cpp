#include "note_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "core/text.h"

namespace pindorel {

namespace {

// The fixed part of a record around its two strings.
constexpr size_t kGeometryBytes = 16;
constexpr size_t kLengthBytes = 2;
constexpr size_t kFontTailBytes = 8 + 4 + 1 + 1 + 1 + 4;  // size .. font colour
constexpr size_t kColourBytes = 8;                        // backColor, foreColor
constexpr size_t kFontColourFromTailEnd = 4;
constexpr double kMaxFontSize = 2048.0;
constexpr uint32_t kSystemColourFlag = 0x80000000u;
constexpr uint32_t kLastSystemColour = 30;

void PutBytes(std::string& out, const void* data, size_t count) {
    out.append(static_cast<const char*>(data), count);
}

template <class T>
void Put(std::string& out, T value) {
    static_assert(std::endian::native == std::endian::little, "records are little-endian");
    PutBytes(out, &value, sizeof value);
}

void PutString(std::string& out, const std::string& bytes) {
    Put(out, static_cast<uint16_t>(bytes.size()));
    out += bytes;
}

// Reads fields in order; once a read would pass the end, every later read fails too.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool Ok() const { return ok_; }

    template <class T>
    T Get() {
        T value{};
        if (Take(sizeof value)) {
            std::memcpy(&value, bytes_.data() + pos_ - sizeof value, sizeof value);
        }
        return value;
    }
    std::string_view GetString() {
        const size_t count = Get<uint16_t>();
        if (!Take(count)) {
            return {};
        }
        return bytes_.substr(pos_ - count, count);
    }

  private:
    bool Take(size_t count) {
        if (!ok_ || bytes_.size() - pos_ < count) {
            ok_ = false;
            return false;
        }
        pos_ += count;
        return true;
    }
    std::string_view bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

bool SaneGeometry(const NoteRecord& r) {
    for (float v : {r.left, r.top, r.width, r.height}) {
        if (!std::isfinite(v) || std::fabs(v) > kMaxGeometry) {
            return false;
        }
    }
    return r.width >= 0 && r.height >= 0;
}

float StorableGeometry(float value, float least) {
    return std::isnan(value) ? 0.0f : std::clamp(value, least, kMaxGeometry);
}

bool IsSystemTextColour(uint32_t index) {
    // window text, caption text, button text, inactive caption text, tool-tip text
    return index == 8 || index == 9 || index == 18 || index == 19 || index == 23;
}

size_t Cp932Bytes(wchar_t c) {
    return core::ToCp932(std::wstring_view(&c, 1)).size();
}

}  // namespace

bool IsNoteFontSize(double size) {
    return std::isfinite(size) && size > 0 && size <= kMaxFontSize;
}

bool IsNoteColour(int32_t colour) {
    const auto value = static_cast<uint32_t>(colour);
    return (value & 0xFF000000u) == 0 ||
           ((value & 0xFFFFFF00u) == kSystemColourFlag && (value & 0xFFu) <= kLastSystemColour);
}

NoteRecord StorableNote(NoteRecord r) {
    r.left = StorableGeometry(r.left, -kMaxGeometry);
    r.top = StorableGeometry(r.top, -kMaxGeometry);
    r.width = StorableGeometry(r.width, 0);
    r.height = StorableGeometry(r.height, 0);
    MakeStorableLook(r.font.size, r.backColor, r.foreColor);
    return r;
}

void MakeStorableLook(double& fontSize, int32_t& backColor, int32_t& foreColor) {
    if (!IsNoteFontSize(fontSize)) {
        fontSize = kDefaultFontSize;
    }
    if (!IsNoteColour(backColor)) {
        backColor = kWindowColour;
    }
    if (!IsNoteColour(foreColor)) {
        foreColor = kWindowTextColour;
    }
}

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::wstring LimitNoteText(std::wstring_view text) {
    std::wstring crLf = WithCrLf(text);
    if (crLf.size() * 2 <= kMaxTextBytes || core::ToCp932(crLf).size() <= kMaxTextBytes) {
        return crLf;
    }
    size_t bytes = 0;
    size_t keep = 0;
    while (keep < crLf.size()) {
        const size_t next = bytes + Cp932Bytes(crLf[keep]);
        if (next > kMaxTextBytes) {
            break;
        }
        bytes = next;
        ++keep;
    }
    if (keep > 0 && crLf[keep - 1] == L'\r') {
        --keep;  // a CR without its LF would read back as a line break of its own
    }
    crLf.resize(keep);
    return crLf;
}

std::string EncodeNote(const NoteRecord& given) {
    const NoteRecord record = StorableNote(given);
    std::string name = core::ToCp932(record.font.name);
    if (name.size() > kMaxFontNameBytes) {
        name = core::ToCp932(core::LeftAnsiBytes(record.font.name, kMaxFontNameBytes));
    }
    const std::string text = core::ToCp932(LimitNoteText(record.text));
    std::string out;
    out.reserve(kGeometryBytes + 2 * kLengthBytes + kFontTailBytes + kColourBytes + name.size() +
                text.size());
    Put(out, record.left);
    Put(out, record.top);
    Put(out, record.width);
    Put(out, record.height);
    PutString(out, name);
    Put(out, record.font.size);
    Put(out, record.font.bold);
    Put(out, record.font.italic);
    Put(out, record.font.underline);
    Put(out, record.font.strikethrough);
    Put(out, record.font.colour);
    Put(out, record.backColor);
    Put(out, record.foreColor);
    PutString(out, text);
    return out;
}

DecodedNote DecodeNote(std::string_view bytes) {
    DecodedNote decoded;
    NoteRecord& r = decoded.record;
    Reader in(bytes);
    r.left = in.Get<float>();
    r.top = in.Get<float>();
    r.width = in.Get<float>();
    r.height = in.Get<float>();
    r.font.name = core::FromCp932(in.GetString());
    r.font.size = in.Get<double>();
    r.font.bold = in.Get<int32_t>();
    r.font.italic = in.Get<uint8_t>();
    r.font.underline = in.Get<uint8_t>();
    r.font.strikethrough = in.Get<uint8_t>();
    r.font.colour = in.Get<int32_t>();
    r.backColor = in.Get<int32_t>();
    r.foreColor = in.Get<int32_t>();
    r.text = core::FromCp932(in.GetString());
    if (!in.Ok()) {
        decoded.damage = NoteDamage::Truncated;
    } else if (!SaneGeometry(r)) {
        decoded.damage = NoteDamage::BadGeometry;
    } else if (!IsNoteFontSize(r.font.size)) {
        decoded.damage = NoteDamage::BadFontSize;
    } else if (!IsNoteColour(r.backColor) || !IsNoteColour(r.foreColor)) {
        decoded.damage = NoteDamage::BadColour;
    }
    return decoded;
}

bool SameNote(std::string_view a, std::string_view b) {
    if (a.size() != b.size() || a.size() < kGeometryBytes + kLengthBytes) {
        return a == b;
    }
    uint16_t nameBytes = 0;
    std::memcpy(&nameBytes, a.data() + kGeometryBytes, sizeof nameBytes);
    const size_t colourEnd = kGeometryBytes + kLengthBytes + nameBytes + kFontTailBytes;
    if (colourEnd > a.size()) {
        return a == b;
    }
    const size_t colourStart = colourEnd - kFontColourFromTailEnd;
    return a.substr(0, colourStart) == b.substr(0, colourStart) &&
           a.substr(colourEnd) == b.substr(colourEnd);
}

int32_t ResolveColour(int32_t colour, int32_t windowColour, int32_t windowTextColour) {
    const auto value = static_cast<uint32_t>(colour);
    if ((value & 0xFFFFFF00u) != kSystemColourFlag) {
        return colour;
    }
    return IsSystemTextColour(value & 0xFFu) ? windowTextColour : windowColour;
}

}  // namespace pindorel
