// The demo folder's notes are sound and the store reads them in order.
#include <gtest/gtest.h>

#include "core/profile.h"
#include "core/text.h"
#include "note_settings.h"
#include "note_store.h"

namespace pindorel {
namespace {

class ReadOnlyFolder : public DiskFolder {
  public:
    ReadOnlyFolder()
        : DiskFolder(PINDOREL_DEMO_DIR, [](const std::wstring&, int16_t) { return 1; }) {}
};

TEST(DemoNotes, LoadWithoutDamageAndWithTheirDefaults) {
    ReadOnlyFolder folder;
    NoteStore store(folder);
    const FolderScan scan = store.Load();
    EXPECT_TRUE(scan.damaged.empty());
    ASSERT_EQ(scan.notes.size(), 4u);
    EXPECT_EQ(scan.notes[0].record.text.substr(0, 5), L"今日の予定");

    const NoteSettings settings =
        ReadSettings(core::ProfileFile(core::AppFilePath(PINDOREL_DEMO_DIR, L"Pindorel.ini")));
    EXPECT_EQ(settings.defaults.font.name, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(settings.defaults.font.size, 11);
    EXPECT_EQ(settings.saveOnEditEnd, 1);
}

}  // namespace
}  // namespace pindorel
