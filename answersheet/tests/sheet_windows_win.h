// Finding Quillard's controls from another process: the choice boxes of the grid in
// reading order, the set chooser, and the labels; and the program's file encoding.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "e2e/window_driver_win.h"

namespace quillard {

// The text's bytes in code page 932, as the program writes its files.
inline std::string Cp932(std::wstring_view text) {
    const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

// The visible three-state check boxes (the grid's choices), row by row.
inline std::vector<HWND> VisibleChoiceBoxes(HWND window) {
    return e2e::DescendantsInReadingOrder(window, [](HWND child) {
        return IsWindowVisible(child) && e2e::ClassOf(child) == L"Button" &&
               (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_3STATE;
    });
}

// Chooses an entry of a drop-down list as the user's selection does.
inline void ChooseEntry(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

inline std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(text);
    }
    return entries;
}

// Selects a list box entry as the user's click does.
inline void ChooseListEntry(HWND list, int index) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

// Fills in a pupil's sheet as the user does: the name typed into the name box, then one
// tick per question among the rows in view (choice from 1, 0 for none; columns boxes a
// row). True when the name box shows the name.
inline bool EnterSheet(HWND window, std::wstring_view name, const std::vector<int>& ticks,
                       size_t columns) {
    const HWND box = e2e::FindChild(window, {.className = L"Edit"});
    e2e::PostText(box, name);
    if (!e2e::WaitUntil([&] { return e2e::TextOf(box) == name; }, 30000)) {
        return false;
    }
    const std::vector<HWND> boxes = VisibleChoiceBoxes(window);
    for (size_t q = 0; q < ticks.size() && (q + 1) * columns <= boxes.size(); ++q) {
        if (ticks[q] != 0) {
            e2e::ClickButton(boxes[q * columns + static_cast<size_t>(ticks[q] - 1)]);
        }
    }
    return true;
}

// The texts of the visible labels, in reading order.
inline std::vector<std::wstring> LabelTexts(HWND window) {
    std::vector<std::wstring> texts;
    for (HWND label : e2e::DescendantsInReadingOrder(window, [](HWND child) {
             return IsWindowVisible(child) && e2e::ClassOf(child) == L"Static";
         })) {
        texts.push_back(e2e::TextOf(label));
    }
    return texts;
}

}  // namespace quillard
