// ferrolan.exe: the two-pane file manager.
//   ferrolan [--key PATH | --ini FILE] [DIR1 [DIR2]]
// DIR1 and DIR2 are the folders of the left and right pane (Unix paths are
// taken as paths on drive Z:); without them the folders of the last run come
// back. The settings live below HKEY_CURRENT_USER\Software\Ferrolan (--key
// another key), or in FERRO.INI beside the program when that file is there
// (--ini another file).
#include <windows.h>
#include <cstdlib>
#include <string>
#include "app.h"
#include "settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    ferrolan::StartOptions options;
    options.show = show;
    options.place = ferrolan::default_place();
    int folders = 0;
    for (int i = 1; i < __argc; ++i) {
        const std::string a = __argv[i];
        if (a == "--key" && i + 1 < __argc) {
            options.place.key = __argv[++i];
        } else if (a == "--ini" && i + 1 < __argc) {
            options.place.ini = __argv[++i];
        } else if (folders < 2) {
            options.folders[folders++] = a;
        }
    }
    ferrolan::App app(instance);
    if (!app.start(options)) return 1;
    return ferrolan::App::run_loop();
}
