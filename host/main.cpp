// ferro.exe: a console host that drives the Ferrolan engine the way a
// two-pane file manager does.
#include <windows.h>
#include <cstring>
#include <string>
#include <string_view>
#include "box_report.h"
#include "commands.h"
#include "console.h"

namespace {
// One row per command: its name, what runs it, the synopsis shown in the
// usage, and the options that `ferro help COMMAND` explains.
struct Command {
    const char* name;
    int (*run)(const host::Args&);
    const char* synopsis;
    const char* options;
};

const Command kCommands[] = {
    {"cp", host::cmd_cp, "cp SRC... DST        copy files and folder trees with the engine's copy loop",
     "  SRC...  files or folders to copy; a folder is copied with its whole tree\n"
     "  DST     the target folder (made when missing), or the target file for one source file\n"
     "Progress goes to stderr; the error report list is printed at the end; exit 1 on any failure."},
    {"demo", host::cmd_demo, "demo                 show what the engine does, step by step",
     "  no options: builds a sample tree in the temporary folder, works on it and deletes it"},
    {"ls", host::cmd_ls, "ls [--sort name|ext|size|date] [--reverse] [--spec PATTERN] [--exclude LIST] DIR",
     "  --sort KEY      name (default), ext, size or date\n"
     "  --reverse       the reverse order\n"
     "  --spec PATTERN  only files matching the wildcard pattern(s), separated by \";\"\n"
     "  --exclude LIST  names to leave out, separated by \";\"\n"
     "  DIR             the folder (a Unix path is taken as a path on drive Z:)"},
    {"rm", host::cmd_rm, "rm [--force] [--trash] PATTERN...   delete files by pattern, or whole folders",
     "  --force     delete read-only entries too\n"
     "  --trash     move to the recycle bin instead of deleting\n"
     "  PATTERN...  a folder (deleted with its tree) or a wildcard pattern in an existing folder"},
    {"attrib", host::cmd_attrib, "attrib [+R|-R|+H|-H|+S|-S|+A|-A] PATTERN...   show or change attributes",
     "  +X / -X     set or clear read-only (R), hidden (H), system (S) or archive (A)\n"
     "  PATTERN...  files to show or change; without a change the attributes are listed"},
    {"find", host::cmd_find,
     "find DIR [--name TEXT] [--newer DATE] [--older DATE] [--min-size N] [--max-size N] [--attr RHSA] [--names LIST]",
     "  --name TEXT    names holding the text (wildcards allowed)\n"
     "  --newer DATE   changed on or after DATE (YYYY-MM-DD [HH:MM[:SS]], local time)\n"
     "  --older DATE   changed on or before DATE\n"
     "  --min-size N   at least N bytes (one size condition at a time)\n"
     "  --max-size N   at most N bytes\n"
     "  --attr RHSA    with these attributes\n"
     "  --names LIST   names separated by \";\", each printed where it was found"},
    {"mv", host::cmd_mv, "mv SRC... DST        move files and folder trees (copy, then remove the source)",
     "  SRC...  files or folders to move; a source is removed only after its copy succeeded\n"
     "  DST     the target folder"},
    {"run", host::cmd_run, "run [--wait] TEMPLATE FILE...   expand a command template for the files and start it",
     "  --wait    wait for each program; the exit code is the first non-zero one of the programs\n"
     "  TEMPLATE  a command line with macros: $C the first file, $X it without extension, $P the current\n"
     "            folder, $D its drive, $M all files, $T ten files to a command line ($$C is a plain $C)\n"
     "  FILE...   the selected files (Unix paths are taken as paths on drive Z:)"},
    {"ps", host::cmd_ps, "ps [PATTERN]         list the top-level windows with their process and program",
     "  PATTERN  only windows whose title or program holds the text (without regard to case)"},
    {"kill", host::cmd_kill, "kill [--close] NAME|PID   end a program by process number or program name",
     "  --close  ask the program's windows to close instead of ending the program\n"
     "  NAME     a program file name (every other process of it is ended) or a full path\n"
     "  PID      a process number"},
    {"grep", host::cmd_grep, "grep [-i] [-w] [-r] [--pattern PAT] TEXT DIR   find a text inside the files of a folder",
     "  -i             without regard to case (letters of either width)\n"
     "  -w             whole words only\n"
     "  -r             the subfolders too\n"
     "  --pattern PAT  the files to search, wildcards separated by \";\" (default *.*)\n"
     "  TEXT DIR       the text and the folder (a Unix path is taken as a path on drive Z:)\n"
     "Prints every line the engine sends; exit 0 with hits, 1 without, 2 on error."},
    {"view", host::cmd_view, "view FILE... [--width N]   show files in the engine's text viewer",
     "  FILE...    the files, walked with the viewer's next and previous buttons\n"
     "  --width N  wrap the lines at N characters (tabs become 4 blanks)\n"
     "Without a display the text the viewer would show is printed."},
    {"get", host::cmd_get, "get URL [DIR]        download a file over HTTP or FTP (a pattern URL: every matching file)",
     "  URL  http://, https:// or ftp:// address; a name with * or ? takes every matching file of the folder\n"
     "  DIR  the local folder (default: the current folder)\n"
     "Progress goes to stderr; a failed, cut or cancelled download leaves no file; exit 1 on failure."},
    {"update", host::cmd_update, "update --check [--base-url URL] [--open]   is a newer version published?",
     "  --check         read the update page of the maker's site through update.dll\n"
     "  --base-url URL  the site to ask instead (scheme and host, e.g. http://127.0.0.1:8080)\n"
     "  --open          open a newer version's installer address in the browser\n"
     "Prints \"newer: ADDRESS\" or \"not newer than VERSION\"; an unread page or one without an update line: exit 1."},
    {"colors", host::cmd_colors, "colors [--set KIND=RRGGBB]...   show or change the stored file colours",
     "  --set KIND=RRGGBB  src:N, tgt:N or file:N (N 0 to 17: six text colours, their backgrounds,\n"
     "                     their selected colours) or ext:NAME (an extension of at most 20 bytes)\n"
     "The colours are read from and stored in the settings key (FERRO_REGISTRY_PATH, or the product's)."},
    {"print", host::cmd_print, "print FILE [--header FMT] [--footer FMT] [--copies N]   print a file on the default printer",
     "  FILE          a text file, or rich text (.rtf)\n"
     "  --header FMT  the header line: one text (centred) or LEFT|CENTRE|RIGHT, with the codes\n"
     "                &F file name, &P page, &D date and &T time of the file\n"
     "  --footer FMT  the footer line, the same way\n"
     "  --copies N    copies of every page (1 to 999)"},
    {"arc", host::cmd_arc, "arc check | list ARCHIVE | extract ARCHIVE DIR | create ARCHIVE FILE...",
     "  check    each archiver slot: its library loaded or missing, its version against the one built for\n"
     "  list     the entries of an archive, through the archiver library's FindFirst and FindNext\n"
     "  extract  the whole archive into DIR (made when missing), with its folders\n"
     "  create   a new archive of the files and folders (a .tgz or .gz name compresses it)\n"
     "The library is the one of the kind whose extensions hold the archive's (TAR32.DLL for tar, tgz, gz),\n"
     "found on the program path."},
    {"config", host::cmd_config,
     "config [--key PATH] [--ini FILE] get SECTION KEY | set SECTION KEY VALUE | list SECTION | export FILE | import FILE",
     "  --key PATH   the product's key below HKEY_CURRENT_USER (default Software\\Ferrolan)\n"
     "  --ini FILE   get, set and list the settings of this INI file instead of the registry\n"
     "  get          prints one setting (an integer in decimal)\n"
     "  set          writes a string (a registry integer stays an integer when VALUE is a number)\n"
     "  list         prints NAME=VALUE for every setting of the section\n"
     "  export FILE  writes every setting of the key into a new INI file, byte for byte\n"
     "  import FILE  writes every setting of such an INI file back into the key\n"
     "SECTION is a path below the key (A\\B); the key's own settings have the section \"\"."},
    {"assoc", host::cmd_assoc, "assoc FILE           the programs the registry associates with a file",
     "  FILE  a file name (it need not exist); one command entry a line:\n"
     "        program, tab, options, \" ^\" and the registry key, \"|\" and the verb"},
    {"lnk", host::cmd_lnk, "lnk show FILE... | make LINK TARGET [--args A] [--dir D] [--icon I] | replace OLD NEW DIR [--args]",
     "  show FILE...     target, working folder, arguments, icon and show command of each shortcut (.lnk, .pif)\n"
     "  make LINK TARGET write the shortcut LINK to TARGET (--args the arguments, --dir the working folder,\n"
     "                   --icon the icon file)\n"
     "  replace OLD NEW DIR\n"
     "                   in every shortcut below DIR, the folder OLD at the start of the target, working\n"
     "                   folder and icon becomes NEW (--args: the arguments too; --simulate: report only);\n"
     "                   the report (_rplcsc_.txt in the temporary folder) lists what changed and what\n"
     "                   failed; shortcuts that need no change are not touched. Exit 1 when any failed."},
    {"fav", host::cmd_fav, "fav list | add FOLDER [TARGET] | remove N|FOLDER   the stored favourite folders",
     "  list                  the favourites with their menu texts (\"&C \" ... ; a target after \">\")\n"
     "  add FOLDER [TARGET]   a new favourite, optionally with the target folder the other pane opens\n"
     "  remove N|FOLDER       a favourite by its number or folder\n"
     "Kept in the registry below HKEY_CURRENT_USER\\Software\\Ferrolan\\FavoriteDir (keys 0 to 34)."},
    {"msg", host::cmd_msg, "msg N [N...]         show message texts of the message library by number",
     "  N...  message numbers"},
};

const Command* find_command(const char* name) {
    for (const Command& c : kCommands)
        if (std::strcmp(name, c.name) == 0) return &c;
    return nullptr;
}

void print_usage(void (*print)(std::string_view)) {
    print("usage: ferro COMMAND [ARGS...]");
    for (const Command& c : kCommands) print(std::string("  ferro ") + c.synopsis);
    print("  ferro help [COMMAND]  this text, or the options of one command");
}

// `ferro help [COMMAND]`, `ferro --help`, `ferro -h`: on stdout, exit 0.
int help(int argc, char** argv) {
    if (argc < 3) {
        print_usage(host::out);
        return 0;
    }
    const Command* c = find_command(argv[2]);
    if (!c) {
        host::err(std::string("ferro: unknown command '") + argv[2] + "'");
        print_usage(host::err);
        return 2;
    }
    host::out(std::string("usage: ferro ") + c->synopsis);
    host::out(c->options);
    return 0;
}

bool is_help(const char* word) {
    return std::strcmp(word, "help") == 0 || std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        print_usage(host::err);
        return 2;
    }
    if (is_help(argv[1])) return help(argc, argv);
    if (const Command* c = find_command(argv[1])) {
        // An error box of the engine is an error of the command.
        host::BoxReport boxes(c->name);
        const int code = c->run(host::Args(argv + 2, argv + argc));
        return code == 0 && boxes.count() > 0 ? 1 : code;
    }
    host::err(std::string("ferro: unknown command '") + argv[1] + "'");
    print_usage(host::err);
    return 2;
}
