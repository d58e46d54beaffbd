// Shows the gallery form until it is closed.
#include <windows.h>

#include "forms/forms.h"
#include "gallery_form.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    gallery::GalleryForm form;
    form.Show();
    return host.Run();
}
