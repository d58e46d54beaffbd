// "Start with Windows" for a resident program: its entry in the user's list of programs
// started with Windows (see Host::StartUpEntry), named after the program file without
// extension and holding the file's full path in double quotes, and the menu item that
// adds and removes it.
//
// A program's menu needs two calls:
//     forms::ShowStartUpItem(MNU_StartUp);             // at load and before the menu opens
//     MNU_StartUp.Click = [this] { forms::ChooseStartUpItem(MNU_StartUp); };
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace forms {

class Menu;

inline constexpr std::wstring_view kStartUpCaption = L"Windows の起動時に開始(&W)";

enum class StartUpState {
    Absent,     // no entry by the program's name
    ThisFile,   // the entry names this very program file
    OtherCopy,  // the entry names another file (a copy in another folder)
};

// What an entry's text says about the program file at exePath: the path in the text is
// the part within the leading double quotes (the whole text, trimmed, without them), and
// paths compare without regard to letter case.
StartUpState StartUpStateOf(const std::optional<std::wstring>& entry, std::wstring_view exePath);

// The entry's text for the program file: its full path in double quotes.
std::wstring StartUpText(std::wstring_view exePath);

// The running program file's state in the list.
StartUpState ProgramStartUpState();

// Gives the item its caption and ticks it when the running program file starts with
// Windows.
void ShowStartUpItem(Menu& item);

// The item's command: removes the program's own entry, adds a missing one, and replaces
// another copy's entry only when the user agrees to the question. A failed change is
// reported in an error box. The tick follows the list as it is afterwards.
void ChooseStartUpItem(Menu& item);

}  // namespace forms
