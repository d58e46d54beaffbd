// Compares the INI engine with the system's own private-profile functions on many
// generated settings files: every string and integer read (value and returned count), and
// the bytes of the files that sequences of writes produce.
//
// The system under test is Wine with code page 1252 as its ANSI code page: it turns every
// byte into one character and back, so values and byte counts compare directly with the
// engine's, which works on the CP932 bytes as Windows on a Japanese system does. Where the
// two disagree, the engine keeps the behaviour of Windows:
//
// - A quoted value that exactly fills the buffer: Wine cuts one byte more (it drops the last
//   byte as if it were the closing quote, though the buffer already cut the quote off). The
//   documented rule is "the value, cut to the buffer size minus one". Such reads are
//   compared against the engine's result minus its last byte, and counted.
// - Names are compared as CP932 text: ASCII letters in either case, double-byte characters
//   exactly. Wine folds the case of ASCII letters wherever they stand, trail bytes
//   of double-byte characters included (ア 83 41 equals ヂ 83 61 to it), and takes a trail byte
//   0x5D as the closing ']' of a header. The generated names avoid both situations; the host
//   tests hold the engine's answers.
// - Wine rebuilds the whole file on every write, normalising spacing and dropping blank
//   lines; Windows edits the file in place. Written files are therefore compared byte for
//   byte only when they start out as Wine would write them (no file, or "[name]" and
//   "key=value" lines with CR LF and no surrounding blanks); for other files the reads
//   after the writes are compared.
// - Wine keeps trailing blanks of a section or key name that a write creates ("[App  ]");
//   the engine trims names on writing as on reading. Writes here use plain names.
// - A written value holding a line break: Wine writes the break and the rest becomes lines
//   of their own; the engine stops at the break so a value can never add keys or sections.
//   Not generated here.
// - A file starting with a UTF-8 byte order mark: Wine reads it as UTF-8. Windows does not
//   know UTF-8 settings files, and for it, as for the engine, the mark is part of the first
//   line. Not generated here.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/profile.h"
#include "core/text.h"

namespace core {
namespace {

constexpr uint32_t kWholeValue = 65536;
constexpr int kReadsPerFile = 24;

// Decisions of a seeded random generator; the same seed gives the same files everywhere.
class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    size_t Below(size_t n) { return static_cast<size_t>(engine_() % n); }
    bool Percent(int percent) { return static_cast<int>(Below(100)) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(items.size())];
    }

  private:
    std::mt19937 engine_;
};

// Section and key names of the generated files: plain ASCII, with spaces, Shift-JIS
// (double-byte and half-width katakana), empty. No two differ only by the case of a byte
// that is not an ASCII letter of its own.
const std::vector<std::string> kSections = {"MainForm",  "Option",           "s",
                                            "Two Words", "\x82\xa0\x82\xa2", "\xb1\xb2",
                                            "\x95\x5c",  "Sec\x83\x41"};
const std::vector<std::string> kKeys = {"Top",      "Left", "k", "Key 1", "\x90\xdd\x92\xe8",
                                        "\x83\x5c", "x.y",  "",  ";c",    "Schedule"};
const std::vector<std::string> kDefaults = {
    "", "def", "  d e  ", "'q'", "\"abc\"", "\"x", std::string(300, 'd')};

// Pieces of random text: ASCII, blanks and punctuation, and Shift-JIS characters
// (あ 設 定 表 ソ ー ア ｱ).
const std::vector<std::string> kTextPieces = {
    "a",        "Z",        "0",        "7",        " ",        "\t",       "=",        ";",
    "[",        "]",        "\"",       "'",        "\\",       "%",        "-",        "x",
    "\x82\xa0", "\x90\xdd", "\x92\xe8", "\x95\x5c", "\x83\x5c", "\x81\x5b", "\x83\x41", "\xb1"};

std::string RandomText(Random& random, size_t pieces) {
    std::string text;
    for (size_t i = 0; i < pieces; ++i) {
        text += random.Pick(kTextPieces);
    }
    return text;
}

std::string RandomNumber(Random& random) {
    static const std::vector<std::string> forms = {"0",
                                                   "12",
                                                   "-12",
                                                   "+5",
                                                   "0x1F",
                                                   "0X1F",
                                                   "-0x10",
                                                   "0b101",
                                                   "0o17",
                                                   "012",
                                                   "12abc",
                                                   "abc",
                                                   "- 3",
                                                   "2147483648",
                                                   "4294967295",
                                                   "99999999999",
                                                   "-480000",
                                                   "1.5",
                                                   std::string(28, '0') + "12345"};
    return random.Pick(forms);
}

std::string RandomValue(Random& random) {
    std::string value;
    switch (random.Below(6)) {
        case 0:
            value = RandomNumber(random);
            break;
        case 1:
            break;
        case 2:
            value = RandomText(random, 100 + random.Below(150));  // often past 255 bytes
            break;
        default:
            value = RandomText(random, 1 + random.Below(12));
            break;
    }
    if (random.Percent(15)) {
        const char quote = random.Percent(70) ? '"' : '\'';
        value = quote + value + (random.Percent(80) ? std::string(1, quote) : std::string());
    }
    return value;
}

bool IsBlankByte(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a';
}

std::string WithoutSurroundingBlanks(std::string text) {
    while (!text.empty() && IsBlankByte(text.back())) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && IsBlankByte(text[start])) {
        ++start;
    }
    return text.substr(start);
}

// A generated file and the section/key pairs of its key lines, so that reads and writes
// find existing keys often.
struct GeneratedFile {
    std::string content;
    std::vector<std::pair<std::string, std::string>> names;
};

// The name with the case of some ASCII letters changed; bytes of double-byte characters
// stay as they are.
std::string Recased(const std::string& name, Random& random) {
    std::string result = name;
    for (size_t i = 0; i < result.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(result[i]);
        if (IsCp932LeadByte(byte)) {
            ++i;
        } else if (std::isalpha(byte) && random.Percent(50)) {
            result[i] =
                static_cast<char>(std::islower(byte) ? std::toupper(byte) : std::tolower(byte));
        }
    }
    return result;
}

// A settings file of random lines: headers (also spaced, with text after the bracket, or
// without a closing bracket), keys (spaced, bare, empty values, comments), blank lines,
// and line ends CR LF, LF, CR or mixed, sometimes without one at the end.
GeneratedFile IrregularFile(Random& random) {
    static const std::vector<std::string> breaks = {"\r\n", "\n", "\r"};
    const size_t style = random.Below(4);
    GeneratedFile generated;
    std::string& file = generated.content;
    std::string current;
    const size_t lines = random.Below(16);
    for (size_t i = 0; i < lines; ++i) {
        const std::string section = random.Pick(kSections);
        const std::string key = Recased(random.Pick(kKeys), random);
        switch (random.Below(10)) {
            case 0:
                file += "[" + section + "]";
                current = section;
                break;
            case 1:
                file += "  [ " + Recased(section, random) + " ]\t";
                current = section;
                break;
            case 2:
                file += random.Percent(50) ? "[" + section + "] x" : "[" + section;
                current = section;
                break;
            case 3:
                file += random.Percent(50) ? "" : " \t ";
                break;
            case 4:
                file += random.Percent(50) ? " " + key + " \t=  " + RandomValue(random) + " " : key;
                generated.names.emplace_back(current, key);
                break;
            case 5:
                file += "; " + RandomText(random, 4);
                break;
            default:
                file += key + "=" + RandomValue(random);
                generated.names.emplace_back(current, key);
                break;
        }
        const bool last = i + 1 == lines;
        if (!last || random.Percent(70)) {
            file += style < 3 ? breaks[style] : random.Pick(breaks);
        }
    }
    return generated;
}

// A file as the system writes one: "[name]" and "key=value" (or bare "key") lines with
// CR LF, values without surrounding blanks. Key names are never empty: an empty name alone
// would be a blank line, and Wine drops the second of two lines in a row that start with
// '=' when it rebuilds the file, where Windows leaves them be.
GeneratedFile CanonicalFile(Random& random) {
    GeneratedFile generated;
    std::string& file = generated.content;
    std::string current;
    const size_t lines = random.Below(12);
    for (size_t i = 0; i < lines; ++i) {
        const std::string& key = random.Pick(kKeys);
        if (random.Percent(25)) {
            current = random.Pick(kSections);
            file += "[" + current + "]\r\n";
            continue;
        }
        if (key.empty()) {
            continue;
        }
        if (random.Percent(10)) {
            file += key + "\r\n";
        } else {
            file +=
                Recased(key, random) + "=" + WithoutSurroundingBlanks(RandomValue(random)) + "\r\n";
        }
        generated.names.emplace_back(current, key);
    }
    return generated;
}

// Hand-written files for the cases that matter most to the programs.
const std::vector<std::string> kHandWritten = {
    "",
    "[MainForm]\r\nTop=1200\r\nLeft=-300\r\n[Option]\r\nSchedule=C:\\\x8e\x9e\x8a\xd4\x8a\x84."
    "ini\r\n",
    "[option]\r\n  top  =  12  \r\n\tLEFT\t=\t\"quoted\"\t\r\n",
    "[s]\r\nk=1\r\nk=2\r\n[s]\r\nk=3\r\nTop=4\r\n",
    "[s]\nk=\n\n\nTop='x'\n",
    "[s]\rk=1\rTop=2",
    "Top=before\r\n[s]\r\nTop=after",
    "[s\r\nk=1\r\n[MainForm\r\nTop=2\r\n",
    "[s]\r\n;k=1\r\n; comment\r\nKey 1 = spaced key \r\n",
    "[s]\r\nk\r\nk=shadowed\r\n",
    "[s]\r\nk=" + std::string(300, 'v') + "\r\nTop=\"" + std::string(254, 'q') + "\"\r\n",
    "[\x82\xa0\x82\xa2]\r\n\x90\xdd\x92\xe8=\x95\x5c\x83\x5c\r\n",
    "[s]\r\nk=a\x1a\r\nTop=\x1a\r\n",
    "[s]\r\nk=\x1c\x1d a\x1e\x1f\x7f\r\nTop=\x0b\x0c1\x0b\r\n",
};

// The system's profile functions on one file.
class SystemProfile {
  public:
    explicit SystemProfile(std::string path) : path_(std::move(path)) {}

    void Put(const std::string& content) const {
        std::ofstream(path_, std::ios::binary) << content;
        Forget();
    }
    void Remove() const {
        DeleteFileA(path_.c_str());
        Forget();
    }
    std::string Get() const {
        Forget();
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    profile::StringRead ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, uint32_t bufferSize) const {
        std::vector<char> buffer(bufferSize + 1, '#');
        const DWORD count =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                     buffer.data(), bufferSize, path_.c_str());
        return {std::string(buffer.data(), std::min<size_t>(count, bufferSize)), count};
    }
    int32_t ReadInt(const std::string& section, const std::string& key, int32_t def) const {
        return static_cast<int32_t>(
            GetPrivateProfileIntA(section.c_str(), key.c_str(), def, path_.c_str()));
    }
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) const {
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str());
        Forget();
    }

  private:
    // Drops the system's cached copy of the file, so the next call reads it from disk.
    void Forget() const { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

    std::string path_;
};

std::string Printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    return text;
}

// True when the read removed a pair of quotes: the same read with the quote bytes made
// ordinary comes out two bytes longer.
bool QuotesRemoved(std::string content, const std::string& section, const std::string& key,
                   std::string defaultValue) {
    const uint32_t count =
        profile::ReadString(content, section, key, defaultValue, kWholeValue).count;
    for (std::string* text : {&content, &defaultValue}) {
        for (char& c : *text) {
            c = (c == '"' || c == '\'') ? 'Q' : c;
        }
    }
    return profile::ReadString(content, section, key, defaultValue, kWholeValue).count == count + 2;
}

class ProfileDifferential : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "profile_diff_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        system_ = SystemProfile(folder_ + "\\settings.ini");
    }
    void TearDown() override {
        system_.Remove();
        RemoveDirectoryA(folder_.c_str());
    }

    void Mismatch(const std::string& what) {
        if (++mismatches_ <= 20) {
            ADD_FAILURE() << what;
        }
    }

    // Reads of section/key (in some other case too) from content, the same file as the
    // system sees it.
    void CompareReads(const std::string& content, std::string section, std::string key,
                      Random& random) {
        static const std::vector<uint32_t> sizes = {256, 256, 1, 2, 3, 5, 8, 13, 30, 300};
        section = Recased(section, random);
        key = Recased(key, random);
        CompareStringRead(content, section, key, random.Pick(kDefaults), random.Pick(sizes));
        CompareIntRead(content, section, key, random.Percent(50) ? -480000 : 7);
    }

    // Mostly keys of the file, some from the pools.
    void CompareSomeReads(const GeneratedFile& file, Random& random) {
        for (int i = 0; i < kReadsPerFile; ++i) {
            const auto [section, key] = PickNames(file, random);
            CompareReads(file.content, section, key, random);
        }
    }

    static std::pair<std::string, std::string> PickNames(const GeneratedFile& file,
                                                         Random& random) {
        if (!file.names.empty() && random.Percent(70)) {
            return random.Pick(file.names);
        }
        return {random.Pick(kSections), random.Pick(kKeys)};
    }

    void CompareAllReads(const std::string& content, Random& random) {
        for (const auto& section : kSections) {
            for (const auto& key : kKeys) {
                CompareReads(content, section, key, random);
            }
        }
    }

    void CompareIntRead(const std::string& content, const std::string& section,
                        const std::string& key, int32_t def) {
        const int32_t ours = profile::ReadInt(content, section, key, def);
        const int32_t theirs = system_.ReadInt(section, key, def);
        ++intReads_;
        if (ours != theirs) {
            Mismatch("int [" + Printable(section) + "] " + Printable(key) + " in \"" +
                     Printable(content) + "\": engine " + std::to_string(ours) + ", system " +
                     std::to_string(theirs));
        }
    }

    void CompareStringRead(const std::string& content, const std::string& section,
                           const std::string& key, const std::string& def, uint32_t size) {
        profile::StringRead expected = profile::ReadString(content, section, key, def, size);
        const profile::StringRead theirs = system_.ReadString(section, key, def, size);
        ++stringReads_;
        foundReads_ += profile::ReadString(content, section, key, "\x01").bytes != "\x01";
        const bool fillsBuffer =
            expected.count > 0 && expected.count + 1 == size &&
            profile::ReadString(content, section, key, def, kWholeValue).count == expected.count;
        if (fillsBuffer && QuotesRemoved(content, section, key, def)) {
            // The quoted value that exactly fills the buffer (see the top of the file).
            expected.bytes.pop_back();
            --expected.count;
            ++adjustedReads_;
        }
        if (expected.bytes != theirs.bytes || expected.count != theirs.count) {
            Mismatch("string [" + Printable(section) + "] " + Printable(key) + " size " +
                     std::to_string(size) + " default \"" + Printable(def) + "\" in \"" +
                     Printable(content) + "\": engine " + std::to_string(expected.count) + " \"" +
                     Printable(expected.bytes) + "\", system " + std::to_string(theirs.count) +
                     " \"" + Printable(theirs.bytes) + "\"");
        }
    }

    // A few writes from the same start, by the engine and by the system. Files that start
    // out in the system's own layout must come out byte for byte the same; others must
    // read the same.
    void CompareWrites(std::optional<GeneratedFile> start, bool sameBytes, Random& random) {
        GeneratedFile file = start.value_or(GeneratedFile{});
        if (start) {
            system_.Put(start->content);
        } else {
            system_.Remove();
        }
        std::string& ours = file.content;
        const size_t writes = 1 + random.Below(6);
        for (size_t i = 0; i < writes; ++i) {
            auto [section, key] = PickNames(file, random);
            file.names.emplace_back(section, key);
            section = Recased(section, random);
            key = Recased(key, random);
            std::string value = WithoutSurroundingBlanks(RandomValue(random));
            if (random.Percent(20)) {
                value = " \t" + value;  // leading blanks are not stored
            }
            ours = profile::WriteString(ours, section, key, value);
            system_.WriteString(section, key, value);
            if (sameBytes && ours != system_.Get()) {
                Mismatch("write [" + Printable(section) + "] " + Printable(key) + "=" +
                         Printable(value) + " from \"" +
                         Printable(start ? start->content : "<none>") + "\": engine \"" +
                         Printable(ours) + "\", system \"" + Printable(system_.Get()) + "\"");
                return;
            }
        }
        ++writeSequences_;
        CompareSomeReads(file, random);
    }

    std::string folder_;
    SystemProfile system_{""};
    int mismatches_ = 0;
    int stringReads_ = 0;
    int intReads_ = 0;
    int writeSequences_ = 0;
    int adjustedReads_ = 0;
    int foundReads_ = 0;
};

TEST_F(ProfileDifferential, EngineAgreesWithTheSystem) {
    Random random(20261207);
    for (const auto& content : kHandWritten) {
        system_.Put(content);
        CompareAllReads(content, random);
        CompareWrites(GeneratedFile{content, {}}, false, random);
    }
    for (int i = 0; i < 150; ++i) {
        const GeneratedFile file = IrregularFile(random);
        system_.Put(file.content);
        CompareSomeReads(file, random);
        CompareWrites(file, false, random);
    }
    for (int i = 0; i < 150; ++i) {
        CompareWrites(random.Percent(20) ? std::nullopt : std::optional(CanonicalFile(random)),
                      true, random);
    }
    std::printf(
        "profile differential: %d string reads, %d int reads, %d write sequences compared, "
        "%s (%d reads found their key; %d reads of a quoted value filling the buffer "
        "adjusted)\n",
        stringReads_, intReads_, writeSequences_, mismatches_ == 0 ? "all agree" : "MISMATCHES",
        foundReads_, adjustedReads_);
    EXPECT_EQ(mismatches_, 0);
    EXPECT_GT(writeSequences_, 300);
}

}  // namespace
}  // namespace core
