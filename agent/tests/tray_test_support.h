// A headless program folder for the agent's menu and dialogs: the test host answers as the
// system would, the program lives in a fresh folder, and WINDIR points into it.
#pragma once

#include <optional>
#include <string>

#include "agent/settings.h"
#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "test_data.h"
#include "testkit/temp_dir.h"

namespace agent::testing {

class AgentHost : public headless::TestHost {
  public:
    explicit AgentHost(const std::wstring& folder) {
        program.directory = folder;
        program.exeName = L"Tamvoro";
        program.title = L"Tamvoro";
    }
};

// Replaces a box's text by typing, so that its key filters run.
inline void Retype(forms::TextBox& box, std::wstring_view text) {
    box.SetText(L"");
    headless::Type(box, text);
}

// OK of a settings dialog (its Command1[0]), answering Yes to the update question.
template <typename Dialog>
void ConfirmOk(headless::TestHost& host, Dialog& dialog) {
    host.ExpectMessage(forms::kIdYes, L"更新してもよろしいですか?");
    headless::Click(dialog.Command1[0]);
}

// Settings as if just read from a file holding the given options.
inline AgentSettings SettingsAsRead(const AgentOptions& options) {
    AgentSettings settings;
    settings.values = options;
    settings.asRead = options;
    return settings;
}

class AgentFolderTest {
  protected:
    AgentFolderTest() {
        environment.programDir = folder.Path();
        environment.env = [this](std::wstring_view name) -> std::optional<std::wstring> {
            if (name == L"WINDIR") {
                return folder.File(L"win");
            }
            return std::nullopt;
        };
    }

    testkit::TempDir folder;
    AgentEnvironment environment;
    AgentHost host{folder.Path()};
    forms::App app{host};
};

}  // namespace agent::testing
