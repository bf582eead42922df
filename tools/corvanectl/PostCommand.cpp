#include "catalogue/Catalogue.h"
#include "tarnui/platform/Defaults.h"
#include "tarnui/platform/InstanceWindow.h"
#include "tools/corvanectl/Commands.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace corvane::ctl {

namespace {

// A whole-string number in decimal, hex (0x) or octal, within [low, high].
bool Number(const std::string& text, long long low, long long high, long long& out)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && out >= low && out <= high;
}

} // namespace

// Sends a message to the running program's window, as another program would: 1691 with 610
// ends it, 1092 with an id runs a stored key action.
int RunPost(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    long long msg = 0, wparam = 0, lparam = 0;
    if (cmd.args.size() != 3 || !Number(cmd.args[0], 0, 0xFFFF, msg) || !Number(cmd.args[1], 0, 0xFFFFFFFF, wparam)
        || !Number(cmd.args[2], INT32_MIN, UINT32_MAX, lparam)) {
        std::fprintf(err, "corvanectl: post needs MSG (0..65535), WPARAM and LPARAM (32-bit numbers)\n");
        return 2;
    }
    const tarn::CString name = Catalogue::ReadDeviceName(cmd.programDir).value_or(tarn::DefaultDeviceName);
    if (!tarn::PostInstanceMessage(name.GetString(), static_cast<tarn::UINT>(msg), static_cast<tarn::WPARAM>(wparam),
                                   static_cast<tarn::LPARAM>(lparam))) {
        std::fprintf(err, "corvanectl: no running %s window was found on this display\n", name.ToUtf8().c_str());
        return 1;
    }
    std::fprintf(out, "posted\t%lld\t%lld\t%lld\n", msg, wparam, lparam);
    return 0;
}

} // namespace corvane::ctl
