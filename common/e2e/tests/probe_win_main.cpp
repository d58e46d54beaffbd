// A small window program the end-to-end library's own tests drive: it shows what it was
// given and writes what it is told to, so every kind of input can be checked from outside.
#include <windows.h>
// The shell declarations build on windows.h.
#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kEditId = 100;
constexpr int kSaveId = 101;
constexpr int kShowId = 102;
constexpr int kQuitCommand = 200;
constexpr int kAskCommand = 201;
constexpr int kQuitCode = 7;

HWND edit = nullptr;
HWND show = nullptr;

std::string ToUtf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

void WriteText(const wchar_t* name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

std::wstring ReadText(const wchar_t* name) {
    std::ifstream in(name, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto id = [](int value) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(value)); };
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                           window, id(kEditId), instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 220, 10, 80, 24,
                    window, id(kSaveId), instance, nullptr);
    show = CreateWindowExW(0, L"STATIC", ReadText(L"in.txt").c_str(), WS_CHILD | WS_VISIBLE, 10, 44,
                           290, 24, window, id(kShowId), instance, nullptr);
}

void OnCommand(HWND window, int id) {
    if (id == kSaveId) {
        WriteText(L"out.txt", ToUtf8(WindowText(edit)));
    } else if (id == kAskCommand) {
        const int answer = MessageBoxW(window, L"質問", L"Probe", MB_YESNO | MB_ICONQUESTION);
        WriteText(L"answer.txt", answer == IDYES ? "yes" : "no");
    } else if (id == kQuitCommand) {
        DestroyWindow(window);
    }
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(window);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam));
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_F5) {
                SetWindowTextW(show, L"F5");
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(kQuitCode);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));
    WriteText(L"args.txt", std::to_string(count - 1));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"E2EProbe";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"E2EProbe", L"Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 120,
                    nullptr, nullptr, instance, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
