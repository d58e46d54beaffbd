// Quillard.exe: the answer sheet on the Win32 backend.
#include <windows.h>

#include "answer_form.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    quillard::AnswerForm form;
    form.Show();
    return host.Run();
}
