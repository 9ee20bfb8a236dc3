// The main window's menus, built from the message library's menu texts, and
// the menus filled when they open (programs of a file, favourites, history).
#pragma once
#include <windows.h>
#include "command_ids.h"

namespace ferrolan {
class App;
HMENU make_main_menu();
HMENU make_context_menu();
// Checks, enables and fills the items of a menu that opens.
void prepare_menu(App& app, HMENU menu);
// A command of a filled menu (favourites, history).
void menu_command(App& app, Command command);
}  // namespace ferrolan
