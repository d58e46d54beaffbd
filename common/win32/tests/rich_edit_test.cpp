#include "win32/rich_edit.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <string>

namespace win32 {
namespace {

class RichEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 420, 320, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        GetClientRect(parent_, &client_);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND parent_ = nullptr;
    RECT client_{};
};

TEST_F(RichEditTest, FillsTheParentFromTheGivenCorner) {
    const DWORD listStyle =
        ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL;  // 0x3000C4
    const HWND box = CreateRichEditBox(parent_, listStyle, 10, 20);
    ASSERT_NE(box, nullptr);
    wchar_t name[64] = {};
    GetClassNameW(box, name, 64);
    EXPECT_EQ(CompareStringOrdinal(name, -1, kRichEditClass, -1, TRUE), CSTR_EQUAL) << name;
    EXPECT_TRUE(IsWindowUnicode(box));
    EXPECT_EQ(GetParent(box), parent_);

    // The scroll bars come and go with the text; the rest of the style stays as given.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(box, GWL_STYLE));
    const DWORD expected = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    EXPECT_EQ(style & expected, expected);
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);

    RECT frame{};
    GetWindowRect(box, &frame);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&frame), 2);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    EXPECT_EQ(frame.right, client_.right);
    EXPECT_EQ(frame.bottom, client_.bottom);
}

TEST_F(RichEditTest, HoldsJapaneseTextOnManyLines) {
    const HWND box = CreateRichEditBox(parent_, ES_MULTILINE, 0, 0);
    ASSERT_NE(box, nullptr);
    const std::wstring text = L"連番 001\r\n連番 002\r\n連番 003";
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    wchar_t back[128] = {};
    SendMessageW(box, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(back));
    EXPECT_EQ(std::wstring(back), text);
    EXPECT_EQ(SendMessageW(box, EM_GETLINECOUNT, 0, 0), 3);
}

TEST_F(RichEditTest, TakesAJapaneseDefaultFace) {
    const HWND box = CreateRichEditBox(parent_, ES_MULTILINE, 0, 0);
    ASSERT_NE(box, nullptr);
    CHARFORMATW format{};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = 176;
    wcscpy(format.szFaceName, L"ＭＳ Ｐゴシック");
    ASSERT_NE(SendMessageW(box, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)),
              0);
    CHARFORMATW back{};
    back.cbSize = sizeof(back);
    SendMessageW(box, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(std::wstring(back.szFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(back.yHeight, 176);
}

}  // namespace
}  // namespace win32
