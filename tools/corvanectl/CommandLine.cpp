#include "tools/corvanectl/CommandLine.h"

#include "platform/ProgramFolder.h"

#include <charconv>
#include <cstring>

namespace corvane::ctl {

const char* UsageText()
{
    return "usage: corvanectl [options] COMMAND [arguments]\n"
           "\n"
           "options:\n"
           "  --program-dir DIR   folder with config.xml, layouts and language files\n"
           "                      (default: the folder of this program)\n"
           "  --data-dir DIR      per-user data folder (default: the XDG data folder)\n"
           "  --device-type N     layout to load (default 201)\n"
           "  --emulate TYPE:LINKS  use the keyboard emulator, e.g. 201:cable,wireless2\n"
           "  --transcript        print every report sent or read\n"
           "  --help              show this text\n"
           "\n"
           "commands:\n"
           "  catalogue           list the keyboard models and device modes of config.xml\n"
           "  layout              load the layout of --device-type and print what it holds\n"
           "  scan                find the keyboard's interfaces and its connection mode\n"
           "  post MSG WPARAM LPARAM  send a message to the running program's window\n"
           "  light show          the stored light modes and the active one\n"
           "  light select MODE   make MODE the active light mode and send it\n"
           "  light set OPTIONS   change the active mode and send it:\n"
           "                      --brightness B, --speed S (1 to the layout's maximum),\n"
           "                      --direction D (1 left or 2 right on device types 200 to 299,\n"
           "                      0 or 1 on others), --colour RRGGBB, --multicolour 0|1,\n"
           "                      --colour-index K (0 to 7)\n"
           "  reset               reset the keyboard to its factory settings\n"
           "  firmware-version    the keyboard's firmware version number, -1 when it did not say\n"
           "  keys show [--profile P]    the active profile and the profile's key assignments\n"
           "                      on layer 0 (key code in hex, type, values, description)\n"
           "  keys upload [--profile P]  write the profile's keys into the keyboard\n"
           "  colours upload      write the custom per-key colours into the keyboard\n"
           "  live-frame --colour RRGGBB  one live frame with every key in that colour\n"
           "\n"
           "With --emulate every keyboard command ends with the emulated keyboard's state as\n"
           "\"state KEY VALUE\" lines. Exit status: 0 done, 1 failed (no keyboard, a database\n"
           "or layout that cannot be used), 2 usage error.\n";
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error)
{
    out = CommandLine{};
    out.programDir = ProgramFolder();
    int i = 1;
    auto value = [&](const char* option) -> const char* {
        if (i + 1 >= argc) {
            error = std::string(option) + " needs a value";
            return nullptr;
        }
        return argv[++i];
    };
    for (; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            out.help = true;
        } else if (std::strcmp(arg, "--program-dir") == 0) {
            const char* v = value(arg);
            if (!v) return false;
            out.programDir = v;
        } else if (std::strcmp(arg, "--data-dir") == 0) {
            const char* v = value(arg);
            if (!v) return false;
            out.dataDir = v;
        } else if (std::strcmp(arg, "--device-type") == 0) {
            const char* v = value(arg);
            if (!v) return false;
            const char* end = v + std::strlen(v);
            const auto [ptr, ec] = std::from_chars(v, end, out.deviceType);
            if (ec != std::errc() || ptr != end || *v == '\0') {
                error = std::string("--device-type needs a number, not \"") + v + "\"";
                return false;
            }
        } else if (std::strcmp(arg, "--emulate") == 0) {
            const char* v = value(arg);
            if (!v) return false;
            out.emulate = v;
        } else if (std::strcmp(arg, "--transcript") == 0) {
            out.transcript = true;
        } else if (arg[0] == '-' && arg[1] == '-' && out.command.empty()) {
            error = std::string("unknown option ") + arg;
            return false;
        } else if (out.command.empty()) {
            out.command = arg;
        } else {
            out.args.emplace_back(arg);
        }
    }
    if (out.command.empty() && !out.help) {
        error = "no command given";
        return false;
    }
    return true;
}

} // namespace corvane::ctl
