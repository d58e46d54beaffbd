#include "note_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/text.h"

namespace pindorel {
namespace {

NoteRecord SampleNote() {
    NoteRecord r;
    r.left = 1500;
    r.top = 300.5f;
    r.width = 2400;
    r.height = 1800;
    r.font = {L"ＭＳ ゴシック", 10.5, -1, 255, 0, 255, 0};
    r.backColor = 0x80FFFF;
    r.foreColor = 0x000080;
    r.text = L"買い物\r\nmilk";
    return r;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += char(v);
    }
    return out;
}

template <class T>
std::string Raw(T value) {
    std::string out(sizeof value, '\0');
    std::memcpy(out.data(), &value, sizeof value);
    return out;
}

TEST(NoteRecord, IsWrittenFieldByFieldLittleEndianWithCp932Strings) {
    const std::string expected =
        Bytes({0x00, 0x80, 0xBB, 0x44}) +  // 1500.0f
        Bytes({0x00, 0x40, 0x96, 0x43}) +  // 300.5f
        Bytes({0x00, 0x00, 0x16, 0x45}) +  // 2400.0f
        Bytes({0x00, 0x00, 0xE1, 0x44}) +  // 1800.0f
        Bytes({13, 0}) + "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e" +
        Bytes({0, 0, 0, 0, 0, 0, 0x25, 0x40}) +  // 10.5
        Bytes({0xFF, 0xFF, 0xFF, 0xFF}) + Bytes({0xFF, 0x00, 0xFF}) + Bytes({0, 0, 0, 0}) +
        Bytes({0xFF, 0xFF, 0x80, 0x00}) + Bytes({0x80, 0x00, 0x00, 0x00}) + Bytes({12, 0}) +
        "\x94\x83\x82\xa2\x95\xa8\r\nmilk";
    const std::string encoded = EncodeNote(SampleNote());
    EXPECT_EQ(encoded, expected);
    EXPECT_EQ(encoded.size(), 47u + 13 + 12);

    const DecodedNote back = DecodeNote(encoded);
    ASSERT_EQ(back.damage, NoteDamage::None);
    EXPECT_EQ(back.record.font, SampleNote().font);
    EXPECT_EQ(back.record.text, SampleNote().text);
    EXPECT_EQ(back.record.top, 300.5f);
    EXPECT_EQ(back.record.backColor, 0x80FFFF);
    EXPECT_EQ(EncodeNote(back.record), expected);
}

TEST(NoteRecord, EmptyTextAndEmptyFontNameTakeNoBytes) {
    NoteRecord r = SampleNote();
    r.text.clear();
    r.font.name.clear();
    const std::string encoded = EncodeNote(r);
    ASSERT_EQ(encoded.size(), 47u);
    EXPECT_EQ(encoded.substr(16, 2), Bytes({0, 0}));
    EXPECT_EQ(encoded.substr(45, 2), Bytes({0, 0}));
    EXPECT_EQ(DecodeNote(encoded).record.text, L"");
}

TEST(NoteRecord, LineBreaksAreWrittenAsCrLf) {
    NoteRecord r = SampleNote();
    r.text = L"a\nb\rc\r\nd";
    EXPECT_EQ(DecodeNote(EncodeNote(r)).record.text, L"a\r\nb\r\nc\r\nd");
}

TEST(NoteRecord, DamagedFilesAreRecognisedWithoutReadingPastTheEnd) {
    const std::string good = EncodeNote(SampleNote());
    for (size_t cut = 0; cut < good.size(); ++cut) {
        EXPECT_EQ(DecodeNote(good.substr(0, cut)).damage, NoteDamage::Truncated) << cut;
    }
    std::string longName = good;
    longName[16] = char(0xFF);
    longName[17] = char(0xFF);
    EXPECT_EQ(DecodeNote(longName).damage, NoteDamage::Truncated);
    EXPECT_EQ(DecodeNote(good + "trailing").damage, NoteDamage::None);

    // A file written by something else: one field set to a raw value.
    const size_t n = uint8_t(good[16]) + 256 * uint8_t(good[17]);
    const auto with = [&](size_t offset, auto value) {
        std::string bytes = good;
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return DecodeNote(bytes).damage;
    };
    EXPECT_EQ(with(0, std::numeric_limits<float>::quiet_NaN()), NoteDamage::BadGeometry);
    EXPECT_EQ(with(4, std::numeric_limits<float>::infinity()), NoteDamage::BadGeometry);
    EXPECT_EQ(with(8, 3e9f), NoteDamage::BadGeometry);
    EXPECT_EQ(with(12, -15.0f), NoteDamage::BadGeometry);
    EXPECT_EQ(with(0, -30000.0f), NoteDamage::None);
    EXPECT_EQ(with(18 + n, std::nan("")), NoteDamage::BadFontSize);
    EXPECT_EQ(with(18 + n, 0.0), NoteDamage::BadFontSize);
    EXPECT_EQ(with(37 + n, int32_t(0x01000000)), NoteDamage::BadColour);
    EXPECT_EQ(with(41 + n, int32_t(-1)), NoteDamage::BadColour);
    EXPECT_EQ(with(37 + n, int32_t(0x80000005)), NoteDamage::None);
}

// Whatever a record holds, what is written reads back as a note: each field at its limit
// is kept, and one past it is replaced by the note window's own value.
TEST(NoteRecord, WhatIsWrittenIsAlwaysReadBackAsANote) {
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const auto written = [](auto change) {
        NoteRecord r = SampleNote();
        change(r);
        const DecodedNote decoded = DecodeNote(EncodeNote(r));
        EXPECT_EQ(decoded.damage, NoteDamage::None);
        return decoded.record;
    };
    EXPECT_EQ(written([](NoteRecord& r) { r.left = -kMaxGeometry; }).left, -kMaxGeometry);
    EXPECT_EQ(written([](NoteRecord& r) { r.top = -kMaxGeometry * 2; }).top, -kMaxGeometry);
    EXPECT_EQ(written([](NoteRecord& r) { r.width = kMaxGeometry; }).width, kMaxGeometry);
    EXPECT_EQ(written([](NoteRecord& r) { r.width = kInf; }).width, kMaxGeometry);
    EXPECT_EQ(written([](NoteRecord& r) { r.height = -1; }).height, 0);
    EXPECT_EQ(written([](NoteRecord& r) { r.left = kNan; }).left, 0);
    EXPECT_EQ(written([](NoteRecord& r) { r.font.size = 2048; }).font.size, 2048);
    for (double size : {0.0, -9.0, 2048.5, double(kNan), double(kInf)}) {
        EXPECT_EQ(written([&](NoteRecord& r) { r.font.size = size; }).font.size, kDefaultFontSize);
    }
    EXPECT_EQ(written([](NoteRecord& r) { r.backColor = 0xFFFFFF; }).backColor, 0xFFFFFF);
    EXPECT_EQ(written([](NoteRecord& r) { r.backColor = int32_t(0x8000001E); }).backColor,
              int32_t(0x8000001E));
    EXPECT_EQ(written([](NoteRecord& r) { r.backColor = int32_t(0x8000001F); }).backColor,
              kWindowColour);
    EXPECT_EQ(written([](NoteRecord& r) { r.foreColor = 0x1000000; }).foreColor, kWindowTextColour);
    EXPECT_EQ(written([](NoteRecord& r) { r.foreColor = -1; }).foreColor, kWindowTextColour);
    const NoteRecord longest = written([](NoteRecord& r) {
        r.font.name = std::wstring(kMaxFontNameBytes / 2 + 1, L'亜');
        r.font.bold = INT32_MIN;
        r.font.italic = r.font.underline = r.font.strikethrough = 255;
        r.text = std::wstring(kMaxTextBytes, L'a');
    });
    EXPECT_EQ(core::ToCp932(longest.font.name).size(), kMaxFontNameBytes);
    EXPECT_EQ(longest.text.size(), kMaxTextBytes);
    EXPECT_EQ(longest.font.bold, INT32_MIN);
}

TEST(NoteRecord, SameNoteIgnoresOnlyTheFontColour) {
    NoteRecord a = SampleNote();
    NoteRecord b = a;
    b.font.colour = 0x123456;
    EXPECT_TRUE(SameNote(EncodeNote(a), EncodeNote(b)));
    b.foreColor = 0;
    EXPECT_FALSE(SameNote(EncodeNote(a), EncodeNote(b)));
    NoteRecord c = a;
    c.left += 1;
    EXPECT_FALSE(SameNote(EncodeNote(a), EncodeNote(c)));
    NoteRecord d = a;
    d.text += L" ";
    EXPECT_FALSE(SameNote(EncodeNote(a), EncodeNote(d)));
}

TEST(NoteRecord, TextIsLimitedToWhatItsLengthFieldDescribes) {
    const std::wstring wide(40000, L'あ');  // 80000 bytes
    const std::wstring limited = LimitNoteText(wide);
    EXPECT_EQ(limited.size(), kMaxTextBytes / 2);

    const std::wstring narrow(kMaxTextBytes, L'a');
    EXPECT_EQ(LimitNoteText(narrow), narrow);
    EXPECT_EQ(LimitNoteText(narrow + L"b"), narrow);

    // A CR LF pair across the limit is dropped whole.
    const std::wstring atBreak = std::wstring(kMaxTextBytes - 1, L'a') + L"\r\nz";
    EXPECT_EQ(LimitNoteText(atBreak), std::wstring(kMaxTextBytes - 1, L'a'));

    NoteRecord r = SampleNote();
    r.text = wide;
    const std::string encoded = EncodeNote(r);
    const DecodedNote back = DecodeNote(encoded);
    ASSERT_EQ(back.damage, NoteDamage::None);
    EXPECT_EQ(back.record.text, limited);
    EXPECT_EQ(encoded.size(), 47 + r.font.name.size() * 2 - 1 + kMaxTextBytes - 1);
}

TEST(NoteRecord, SystemColoursResolveToTheWindowColours) {
    EXPECT_EQ(ResolveColour(int32_t(0x80000005), 0xFFFFFF, 0x111111), 0xFFFFFF);
    EXPECT_EQ(ResolveColour(int32_t(0x80000008), 0xFFFFFF, 0x111111), 0x111111);
    EXPECT_EQ(ResolveColour(0x00ABCDEF, 0xFFFFFF, 0x111111), 0x00ABCDEF);
}

}  // namespace
}  // namespace pindorel
