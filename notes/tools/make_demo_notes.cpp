// Writes the demo notes into the folder given as argument (default: the current folder).
#include <cstdio>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/text.h"
#include "note_record.h"
#include "note_store.h"

int main(int argc, char** argv) {
    const std::wstring folder = core::FromUtf8(argc > 1 ? argv[1] : ".");
    using pindorel::NoteRecord;
    const std::vector<NoteRecord> notes{
        {900,
         900,
         3600,
         2160,
         {L"ＭＳ Ｐゴシック", 12, -1, 0, 0, 0, 0},
         0x99FFFF,
         0x000000,
         L"今日の予定\r\n・10時 学年会議\r\n・15時 保護者面談"},
        {5100,
         900,
         3300,
         1800,
         {L"ＭＳ 明朝", 10.5, 0, 255, 0, 0, 0},
         0xCCFFCC,
         0x004000,
         L"買い物\r\nコピー用紙 2箱\r\nホワイトボード用マーカー"},
        {900,
         3600,
         3000,
         1500,
         {L"ＭＳ ゴシック", 9, 0, 0, 255, 0, 0},
         0xFFE0C0,
         0x800000,
         L"電話: 内線 1234\r\n(事務室)"},
        {5100,
         3300,
         2700,
         1200,
         {L"ＭＳ Ｐゴシック", 14, -1, 0, 0, 0, 0},
         0xC0C0FF,
         0x0000A0,
         L"提出期限 金曜日！"},
    };
    for (size_t i = 0; i < notes.size(); ++i) {
        const std::wstring path = core::AppFilePath(folder, pindorel::NoteFileName(int(i + 1)));
        if (core::WriteFileReplacing(path, pindorel::EncodeNote(notes[i])) != 0) {
            std::fprintf(stderr, "cannot write %s\n", core::ToUtf8(path).c_str());
            return 1;
        }
    }
    return 0;
}
