// The message catalogue "Setting.txt" beside the program: pictures, clock formats, the
// wording put around timetable names, recess and holiday wording, random extra lines and
// the timed messages.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "agent/catalogue_text.h"
#include "agent/timed_entry.h"

namespace agent {

inline constexpr std::wstring_view kCatalogueFileName = L"Setting.txt";

// Lists hold at most this many lines of one key (their counts were 16-bit).
inline constexpr std::size_t kMaxListLines = 32767;

struct RecessWording {
    int16_t lengthFrom = -1;  // -1: the line has no length range
    int16_t lengthTo = -1;
    std::wstring text;
    int16_t picture = 1;

    bool HasRange() const { return lengthFrom != -1; }
};

struct MessageCatalogue {
    std::array<std::wstring, kPictureCount> picturePaths;  // picture number n at n - 1
    std::wstring dateFormat;
    std::wstring timeFormat;
    std::wstring headlinePrefix;  // ITEM_FIRST1
    std::wstring headlineSuffix;  // ITEM_FIRST2
    int16_t itemPicture = 0;      // picture of the ITEM_FIRST2 line
    std::wstring normalPrefix;    // ITEM_NORMAL1
    std::wstring normalSuffix;    // ITEM_NORMAL2
    int16_t defaultPicture = 0;   // picture of the ITEM_NORMAL2 line
    std::wstring holidayText;
    int16_t holidayPicture = 0;  // also the picture of the timetable's meal entries
    std::vector<RecessWording> recesses;
    std::vector<int16_t> excludedMeals;        // PASS_COMMON
    std::vector<TimedEntry> schedules;         // balloon messages
    std::vector<TimedEntry> messageBoxes;      // message boxes
    std::vector<std::wstring> lessonMessages;  // N_MESSAGE
    std::vector<std::wstring> restMessages;    // R_MESSAGE
    std::wstring clockBreaks;                  // DATETIME_CRLF times CR LF
    std::wstring messageBreaks;                // MESSAGE_CRLF times CR LF
    int year = 0;                              // the year the dates of the timed entries count in

    // Pictures are shown at all only when the normal picture is configured.
    bool HasPictures() const { return !picturePaths[0].empty(); }
};

struct CatalogueRead {
    MessageCatalogue catalogue;
    int error = 0;  // 0, or the number to report after "Err=" (see read_errors.h)
};

// Reads programDir\Setting.txt. No file gives an empty catalogue and no error. Dates of
// timed entries count in the given year.
CatalogueRead LoadMessageCatalogue(const std::wstring& programDir, int year);

// The same for the file's bytes: CP932 lines, or UTF-8 ones when the bytes start with the
// UTF-8 byte-order mark or are UTF-8 text throughout. Picture files are looked for as named and
// then beside the program in programDir.
CatalogueRead ParseMessageCatalogue(std::string_view bytes, const std::wstring& programDir,
                                    int year);

// Moves the dates of the timed entries into another year (a run that goes on past New
// Year counts 1 March as the day it is in the new year).
void MoveCatalogueToYear(MessageCatalogue& catalogue, int year);

// Reads the value of one RECESS line. false when a length does not fit in 16 bits.
bool ParseRecessWording(std::wstring_view value, RecessWording& wording);

// Reads the value of a PASS_COMMON line into meal row numbers. false when a number does
// not fit in 16 bits.
bool ParseMealList(std::wstring_view value, std::vector<int16_t>& rows);

}  // namespace agent
