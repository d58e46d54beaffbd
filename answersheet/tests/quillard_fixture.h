// A headless Quillard in a fresh program folder, with its set file written as CP932.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "answer_form.h"
#include "core/text.h"
#include "forms/forms.h"
#include "headless/test_host.h"
#include "headless/user.h"
#include "testkit/temp_dir.h"

namespace quillard {

// The program runs from the folder (the App reads this when it is created).
class QuillardHost : public headless::TestHost {
  public:
    explicit QuillardHost(const testkit::TempDir& folder) {
        program.directory = folder.Dir().wstring();
        program.exeName = L"Quillard";
        program.title = L"Quillard";
        SetNow({{2026, 12, 7}, 14, 3, 9});
    }
};

class QuillardTest : public ::testing::Test {
  protected:
    void WriteSetFile(std::wstring_view text) const {
        folder.Write(L"Quillard.csv", core::ToCp932(text));
    }
    std::wstring SetFileText() const { return core::FromCp932(folder.Read(L"Quillard.csv")); }
    // Starts the program: the main form loads (and reads the set file) and shows.
    AnswerForm& Start() {
        form = std::make_unique<AnswerForm>();
        form->Show();
        return *form;
    }
    const headless::ShownMessage& LastMessage() const { return host.Messages().back(); }

    testkit::TempDir folder{"quillard"};
    QuillardHost host{folder};
    forms::App app{host};
    std::unique_ptr<AnswerForm> form;
};

}  // namespace quillard
