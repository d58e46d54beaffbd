#include "disctray/close_tray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace disctray {
namespace {

// Records what the program asks of the system; the command answers with result.
struct FakeSystem {
    uint32_t result = 0;
    std::vector<std::wstring> commands;
    std::vector<std::wstring> messages;

    TrayServices Services() {
        return {[this](std::wstring_view command) {
                    commands.emplace_back(command);
                    return result;
                },
                [this](std::wstring_view text) { messages.emplace_back(text); }};
    }
};

TEST(CloseDiscTray, SuccessSendsOneCommandAndShowsNothing) {
    FakeSystem system;
    EXPECT_EQ(CloseDiscTray(system.Services()), 0);
    EXPECT_EQ(system.commands, std::vector<std::wstring>{L"Set CDAudio Door Closed"});
    EXPECT_TRUE(system.messages.empty());
}

TEST(CloseDiscTray, AnyFailureShowsTheOneErrorAndStillExitsWithZero) {
    for (const uint32_t error : {1u, 263u, 0x80000000u}) {
        FakeSystem system;
        system.result = error;
        EXPECT_EQ(CloseDiscTray(system.Services()), 0) << error;
        EXPECT_EQ(system.commands.size(), 1u) << "no retry after error " << error;
        EXPECT_EQ(system.messages, std::vector<std::wstring>{L"エラー"}) << error;
    }
}

}  // namespace
}  // namespace disctray
