#include "agent/catalogue.h"

#include <gtest/gtest.h>

#include "agent/read_errors.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent {
namespace {

using testing::Cp932Lines;
using testkit::TempDir;

CatalogueRead Parse(std::initializer_list<std::wstring_view> lines,
                    const std::wstring& programDir = L"") {
    return ParseMessageCatalogue(Cp932Lines(lines), programDir, 2025);
}

TEST(CatalogueLines, CommentsKeysAndValues) {
    const CatalogueRead r = Parse(
        {L"' HOLIDAY=\"no\"", L"  // HOLIDAY=\"no\"", L"HOLIDAY \"no equals sign\"", L"",
         L"  holiday = 休み,です", L"date=\"m/d\"", L"Date=  \"yyyy/m/d \"", L"tImE=\"hh:nn\"  ",
         L"ITEM_FIRST1=  \"ただいま \"", L"ITEM_FIRST2=\"の時間です\",Picture_Info_Normal",
         L"ITEM_NORMAL2=\"の時間\",Picture_Wait", L"N_MESSAGE=\"one<BR>two\"",
         L"n_message=three<br>four", L"R_MESSAGE=\"five<Br>six\"", L"DATETIME_CRLF=2",
         L"MESSAGE_CRLF=\" -1 \"", L"UNKNOWN=x"});
    ASSERT_EQ(r.error, 0);
    const MessageCatalogue& c = r.catalogue;
    EXPECT_EQ(c.holidayText, L"休み");  // no quotes: everything from the last comma goes
    EXPECT_EQ(c.holidayPicture, 1);
    EXPECT_EQ(c.dateFormat, L"yyyy/m/d ");  // the last line wins; trailing spaces stay
    EXPECT_EQ(c.timeFormat, L"hh:nn");
    EXPECT_EQ(c.headlinePrefix, L"ただいま");
    EXPECT_EQ(c.headlineSuffix, L"の時間です");
    EXPECT_EQ(c.itemPicture, 3);
    EXPECT_EQ(c.normalSuffix, L"の時間");
    EXPECT_EQ(c.defaultPicture, 8);
    EXPECT_EQ(c.lessonMessages, (std::vector<std::wstring>{L"one\r\ntwo", L"three\r\nfour"}));
    EXPECT_EQ(c.restMessages, std::vector<std::wstring>{L"five<Br>six"});
    EXPECT_EQ(c.clockBreaks, L"\r\n\r\n");
    EXPECT_EQ(c.messageBreaks, L"");
    EXPECT_EQ(Parse({L"DATE=x"}).catalogue.defaultPicture, 0);  // no wording line
}

// Saved as UTF-8 by an editor, with or without the byte-order mark: read as the same text.
TEST(CatalogueLines, AUtf8FileReadsAsItsText) {
    const std::string text =
        core::ToUtf8(L"HOLIDAY=\"今日はお休みです。\"\r\nN_MESSAGE=\"ｶﾀｶﾅ\"\r\n");
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, text}) {
        const CatalogueRead r = ParseMessageCatalogue(bytes, L"", 2025);
        ASSERT_EQ(r.error, 0);
        EXPECT_EQ(r.catalogue.holidayText, L"今日はお休みです。");
        EXPECT_EQ(r.catalogue.lessonMessages, std::vector<std::wstring>{L"ｶﾀｶﾅ"});
    }
    // The system's code page stays what a file is read in.
    EXPECT_EQ(Parse({L"HOLIDAY=\"今日はお休みです。ｶﾀｶﾅ\""}).catalogue.holidayText,
              L"今日はお休みです。ｶﾀｶﾅ");
}
TEST(CatalogueLines, ExcludedMealRows) {
    struct Case {
        const wchar_t* value;
        std::vector<int16_t> rows;
    };
    for (const Case& c : {Case{L"2,5", {2, 5}}, Case{L"0", {}}, Case{L"", {}},
                          Case{L"\"3\", 4 ,", {3, 4}}, Case{L"0,7", {0, 7}},
                          // an empty field takes the next one with it
                          Case{L"2,,5", {2}}}) {
        EXPECT_EQ(Parse({std::wstring(L"PASS_COMMON=") + c.value}).catalogue.excludedMeals, c.rows)
            << c.value;
    }
    EXPECT_EQ(Parse({L"PASS_COMMON=1,2", L"PASS_COMMON=3"}).catalogue.excludedMeals,
              std::vector<int16_t>{3});
}

TEST(CatalogueLines, RecessWordings) {
    const auto w = Parse({L"RECESS=\"plain\",Picture_Wait", L"RECESS=<5-10>\"ranged\"",
                          L"RECESS=<0>\"single\",Picture_Question", L"RECESS=<5-10>no quote",
                          L"RECESS= < 3 - 4 > \" spaced \" "})
                       .catalogue.recesses;
    ASSERT_EQ(w.size(), 5u);
    EXPECT_FALSE(w[0].HasRange());
    EXPECT_EQ(w[0].picture, 8);
    EXPECT_EQ(w[1].lengthFrom, 5);
    EXPECT_EQ(w[1].lengthTo, 10);
    EXPECT_EQ(w[1].text, L"ranged");
    EXPECT_EQ(w[2].lengthFrom, 0);
    EXPECT_EQ(w[2].lengthTo, 0);
    EXPECT_EQ(w[2].picture, 6);
    EXPECT_FALSE(w[3].HasRange());
    EXPECT_EQ(w[3].text, L"<5-10>no quote");
    EXPECT_EQ(w[4].lengthFrom, 3);
    EXPECT_EQ(w[4].text, L"spaced");
}

TEST(CatalogueLines, TimedEntriesAreNumberedAndSplit) {
    const MessageCatalogue c =
        Parse({L"SCHEDULE={22:00-02:00}\"night\"", L"SCHEDULE=[12/24]\"eve\",Picture_Info_Good",
               L"MESSAGEBOX=[12/30-1/2]\"year\"", L"messagebox={23:30-00:30}\"bed\""})
            .catalogue;
    ASSERT_EQ(c.schedules.size(), 3u);
    EXPECT_EQ(c.schedules[1].line, 2);
    EXPECT_EQ(c.schedules[1].picture, 2);
    EXPECT_EQ(c.schedules[2].line, 1);  // the morning part of the first line
    // Message boxes are split the same way, so ranges over the year's end or midnight apply.
    ASSERT_EQ(c.messageBoxes.size(), 4u);
    EXPECT_EQ(c.messageBoxes[2].line, 1);
    EXPECT_EQ(c.messageBoxes[2].startDay, 0);
    EXPECT_EQ(c.messageBoxes[3].line, 2);
    EXPECT_EQ(c.messageBoxes[3].endMinute, 30);
}

TEST(CatalogueLines, ErrorsEndTheReading) {
    const CatalogueRead bad = Parse({L"SCHEDULE=[12/40]\"x\"", L"HOLIDAY=\"later\""});
    EXPECT_EQ(bad.error, kErrTypeMismatch);
    EXPECT_EQ(bad.catalogue.holidayText, L"");
    EXPECT_EQ(ReadFailureMessage(bad.error), L"ファイルの読み込みを失敗しました Err=13");
    for (const wchar_t* line : {L"MESSAGE_CRLF=40000", L"PASS_COMMON=1,70000",
                                L"RECESS=<1-99999>\"x\"", L"RECESS=<1e9>\"x\""}) {
        EXPECT_EQ(Parse({line}).error, kErrOverflow) << line;
    }
    std::string lines;
    for (int i = 0; i < 32767; ++i) {
        lines += "N_MESSAGE=x\r\n";
    }
    EXPECT_EQ(ParseMessageCatalogue(lines, L"", 2025).error, 0);
    EXPECT_EQ(ParseMessageCatalogue(lines + "N_MESSAGE=x", L"", 2025).error, kErrOverflow);
}

TEST(CatalogueLines, AnyLineEndIsALineEnd) {
    const MessageCatalogue c =
        ParseMessageCatalogue("HOLIDAY=a\rN_MESSAGE=b\nR_MESSAGE=c\r\nDATE=d", L"", 2025).catalogue;
    EXPECT_EQ(c.holidayText, L"a");
    EXPECT_EQ(c.lessonMessages, std::vector<std::wstring>{L"b"});
    EXPECT_EQ(c.restMessages, std::vector<std::wstring>{L"c"});
    EXPECT_EQ(c.dateFormat, L"d");
}

TEST(CataloguePictures, FoundAsNamedOrBesideTheProgramWithTheNormalPictureAsFallback) {
    TempDir dir;
    dir.Write(L"normal.bmp", "BM");
    dir.Write(L"wait.bmp", "BM");
    const std::wstring absolute = dir.File(L"wait.bmp");
    const auto paths = Parse({L"Picture_Normal=normal.bmp", L"Picture_Wait=\"" + absolute + L"\"",
                              L"Picture_Critical=missing.bmp", L"picture_question=wait.bmp"},
                             dir.Path())
                           .catalogue.picturePaths;
    EXPECT_EQ(paths[0], dir.File(L"normal.bmp"));
    EXPECT_EQ(paths[7], absolute);
    EXPECT_EQ(paths[4], dir.File(L"normal.bmp"));  // missing file
    EXPECT_EQ(paths[5], dir.File(L"normal.bmp"));  // key in the wrong case
    // Without the normal picture there are no pictures at all.
    const CatalogueRead none =
        Parse({L"Picture_Normal=missing.bmp", L"Picture_Wait=wait.bmp"}, dir.Path());
    EXPECT_FALSE(none.catalogue.HasPictures());
    EXPECT_EQ(none.catalogue.picturePaths[7], L"");
}

TEST(CatalogueFile, ReadsSettingTxtBesideTheProgramWhenThere) {
    TempDir dir;
    const CatalogueRead missing = LoadMessageCatalogue(dir.Path(), 2025);
    EXPECT_EQ(missing.error, 0);
    EXPECT_EQ(missing.catalogue.holidayText, L"");
    dir.Write(L"Setting.txt", Cp932Lines({L"HOLIDAY=\"お休み\",Picture_Info_Good"}));
    const CatalogueRead read = LoadMessageCatalogue(dir.Path(), 2025);
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(read.catalogue.holidayText, L"お休み");
    EXPECT_EQ(read.catalogue.holidayPicture, 2);
}

}  // namespace
}  // namespace agent
