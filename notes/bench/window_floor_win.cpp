// The windows of a start with notes, made with plain system calls and nothing else: for
// every TagData<n>.dat beside it, a borderless sizable window with a disabled face and a
// multi-line edit box holding a short text, shown without activation, and a notification
// icon. Timed like the
// program itself (pindorel_startup_timing.exe <notes> <runs> <this exe>), it gives the floor
// that the window system sets for showing that many notes. It is built with Pindorel's
// manifest, so that its edit boxes are the same common-controls boxes as the program's.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kNoteClass[] = L"SuiteForm";  // the class the timing tool counts
constexpr wchar_t kFaceClass[] = L"FloorFace";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int NotesBeside(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\TagData*.dat").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

void ShowNote(HWND owner, int index) {
    const int left = 40 + (index % 20) * 40;
    const int top = 40 + (index / 20) * 60;
    const HWND note =
        CreateWindowExW(0, kNoteClass, L"", WS_POPUP | WS_THICKFRAME | WS_CLIPCHILDREN, left, top,
                        160, 100, owner, nullptr, nullptr, nullptr);
    const HWND face =
        CreateWindowExW(0, kFaceClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_DISABLED,
                        0, 0, 160, 100, note, nullptr, nullptr, nullptr);
    const HWND text = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                                      160, 100, face, nullptr, nullptr, nullptr);
    SetWindowTextW(text, (L"付箋 " + std::to_wstring(index + 1)).c_str());
    ShowWindow(note, SW_SHOWNA);
}

}  // namespace

int wmain() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    cls.lpszClassName = kNoteClass;
    RegisterClassW(&cls);
    cls.lpszClassName = kFaceClass;
    RegisterClassW(&cls);

    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L'\\'));

    const HWND owner = CreateWindowExW(0, kFaceClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       nullptr, nullptr);
    // The program's notification icon: the tray's window stays in front of every note.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    wcscpy(icon.szTip, L"floor");
    Shell_NotifyIconW(NIM_ADD, &icon);
    const int notes = NotesBeside(folder);
    for (int i = 0; i < notes; ++i) {
        ShowNote(owner, i);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
