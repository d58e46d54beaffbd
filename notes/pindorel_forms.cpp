#include "pindorel_forms.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"

namespace pindorel {

namespace {

// The cascade of new notes' positions, twips.
constexpr double kCascadeStart = 600;
constexpr double kCascadeStep = 360;
constexpr int kCascadeSteps = 8;

constexpr std::wstring_view kReadFailed = L"ファイルの読み込みを失敗しました";
constexpr std::wstring_view kWriteFailed = L"ファイルの書き込みを失敗しました Err=";

}  // namespace

std::wstring SettingsPath(const forms::App& app) {
    return core::AppFilePath(app.Path(), app.ExeName() + L".ini");
}

Notes::Notes(forms::App& application)
    : app(application),
      folder(application.Path(),
             [this](const std::wstring& path, int16_t recycle) {
                 return int(forms::GetHost().ShellDelete(&form1, path, recycle, 0));
             }),
      settingsFile(SettingsPath(application)) {}

Notes::~Notes() = default;

NoteForm& Notes::CreateNote(std::wstring_view text, const NoteRecord* record) {
    notes.push_back(std::make_unique<NoteForm>(*this));
    NoteForm& note = *notes.back();
    // A stored note is given its record before it loads, so that its windows are made as
    // the record says: changing each window after it exists costs a round trip to the
    // window system per change, which a start with hundreds of notes feels.
    if (record != nullptr) {
        note.ApplyRecord(*record);
    }
    note.Picture1.SetEnabled(false);
    note.Load();
    if (!text.empty()) {
        note.SetNoteText(text);
    }
    return note;
}

NoteForm& Notes::ShowNewNote(std::wstring_view text) {
    NoteForm& note = CreateNote(text);
    const double offset = NextCascadeOffset();
    note.Move(offset, offset, note.Width(), note.Height());
    note.Show();
    return note;
}

// The next place of the cascade where no shown note sits: a new note of the usual size put
// on a note left there by an earlier run would hide that note completely. When every place
// is taken, the next in turn.
double Notes::NextCascadeOffset() {
    const auto place = [](int step) {
        return kCascadeStart + kCascadeStep * (step % kCascadeSteps);
    };
    const auto taken = [this](double offset) {
        return std::any_of(notes.begin(), notes.end(), [offset](const auto& note) {
            return note->Visible() && std::fabs(note->Left() - offset) < kCascadeStep / 2 &&
                   std::fabs(note->Top() - offset) < kCascadeStep / 2;
        });
    };
    const int first = shownNewNotes_;
    for (int step = first; step < first + kCascadeSteps; ++step) {
        if (!taken(place(step))) {
            shownNewNotes_ = step + 1;
            return place(step);
        }
    }
    shownNewNotes_ = first + 1;
    return place(first);
}

void Notes::LoadNotes(const std::vector<std::wstring>& unplaced) {
    FolderScan scan = store.Load(notes.size());
    scan.damaged.insert(scan.damaged.end(), unplaced.begin(), unplaced.end());
    for (const StoredNote& stored : scan.notes) {
        NoteForm& note = CreateNote(L"", &stored.record);
        note.ShowInactive();  // activating each of many notes in turn would only cost time
    }
    if (!scan.damaged.empty()) {
        std::wstring text(kReadFailed);
        for (const std::wstring& name : scan.damaged) {
            text += L"\r\n" + name;
        }
        forms::MsgBox(text, forms::kMbError);
    }
}

bool Notes::SaveNotes() {
    if (!notesChanged) {
        return true;
    }
    std::vector<KeyedNote> snapshot;
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i]->Visible()) {
            snapshot.push_back({i, notes[i]->Record()});
        }
    }
    const SaveOutcome outcome = store.Save(snapshot, settings.deleteToRecycleBin == 1);
    if (!outcome.keptAside.empty()) {
        forms::MsgBox(KeptAsideMessage(outcome.keptAside), forms::kMbInformation);
    }
    if (outcome.failed) {
        forms::MsgBox(std::wstring(kWriteFailed) + std::to_wstring(outcome.error), forms::kMbError);
        return false;
    }
    return true;
}

void Notes::SaveIfSavingOnEditEnd() {
    if (settings.saveOnEditEnd == 1) {
        SaveNotes();
    }
}

void Notes::ArrangeNotes(int side) {
    const double screenWidth = app.ScreenWidth();
    const double screenHeight = app.ScreenHeight();
    double x = side == 0 ? 0 : screenWidth;
    double y = 0;
    double columnWidth = 0;
    for (size_t i = 0; i < notes.size(); ++i) {
        NoteForm& note = *notes[i];
        if (!note.Visible()) {
            continue;
        }
        note.Move(side == 0 ? x : x - note.Width(), y, note.Width(), note.Height());
        columnWidth = std::max(columnWidth, note.Width());
        y += note.Height();
        if (i + 1 < notes.size() && float(notes[i + 1]->Height() + y) > screenHeight) {
            x = side == 0 ? x + columnWidth : x - columnWidth;
            y = 0;
            columnWidth = 0;
        }
    }
    notesChanged = true;
}

void Notes::ReadSettings() {
    settings = pindorel::ReadSettings(settingsFile);
    // System colours are painted as what they stand for, as in a note file; the file keeps
    // them unless the options dialog changes the colour.
    const forms::ScreenInfo& screen = app.Screen();
    for (int32_t* colour : {&settings.defaults.backColor, &settings.defaults.foreColor}) {
        *colour =
            ResolveColour(*colour, int32_t(screen.windowColor), int32_t(screen.windowTextColor));
    }
    settingsAsRead = settings;
}

void Notes::WriteSettings() {
    pindorel::WriteSettings(settingsFile, settingsAsRead, settings);
}

std::wstring Notes::ClipboardNoteText() {
    forms::Host& host = forms::GetHost();
    const std::wstring clip = host.ClipboardText();
    std::wstring text = LimitNoteText(clip);
    if (text.size() < WithCrLf(clip).size()) {
        host.Beep();  // cut, as typing is refused at the limit
    }
    return text;
}

void Notes::EndSession() {
    SaveNotes();
    WriteSettings();
    forms::GetHost().NotifyIcon(form1, forms::kIconDelete, form1.Caption(), 0);
    app.ReleaseInstance();
}

}  // namespace pindorel
