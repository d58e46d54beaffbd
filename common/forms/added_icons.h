// The notification icons a program has added, kept by its backend so that they can be
// added again when the shell restarts (the new notification area starts empty).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "forms/types.h"

namespace forms {

class App;
class Form;

class AddedIcons {
  public:
    struct Icon {
        Form* form = nullptr;
        std::wstring tip;
        NativeHandle icon = 0;
    };

    // Notes a NotifyIcon command that succeeded: an add or change keeps the form's icon
    // with its tip and icon, a delete forgets it.
    void Note(Form& form, uint32_t message, std::wstring_view tip, NativeHandle icon);
    // The icons to add again: those of forms still loaded (the others are forgotten).
    std::vector<Icon> ToAddAgain(const App& app);

  private:
    std::vector<Icon> icons_;
};

}  // namespace forms
