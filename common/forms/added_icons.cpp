#include "forms/added_icons.h"

#include <algorithm>

#include "forms/app.h"

namespace forms {

void AddedIcons::Note(Form& form, uint32_t message, std::wstring_view tip, NativeHandle icon) {
    auto known = std::find_if(icons_.begin(), icons_.end(),
                              [&](const Icon& added) { return added.form == &form; });
    if (message == kIconDelete) {
        if (known != icons_.end()) {
            icons_.erase(known);
        }
        return;
    }
    if (message != kIconAdd && message != kIconModify) {
        return;
    }
    if (known == icons_.end()) {
        if (message == kIconModify) {
            return;  // a change to an icon that was never added adds nothing
        }
        known = icons_.insert(icons_.end(), Icon{&form, {}, 0});
    }
    known->tip = tip;
    known->icon = icon;
}

std::vector<AddedIcons::Icon> AddedIcons::ToAddAgain(const App& app) {
    const std::vector<Form*>& loaded = app.LoadedForms();
    std::erase_if(icons_, [&](const Icon& added) {
        return std::find(loaded.begin(), loaded.end(), added.form) == loaded.end();
    });
    return icons_;
}

}  // namespace forms
