// A second process for the instance tests, and the sending side corvanectl's "post" uses:
//   tarnui_x11_post find NAME | forward NAME | post NAME MSG WPARAM LPARAM
#include "tarnui/platform/InstanceWindow.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Whole decimal or 0x-hex numbers only; anything else is refused, not read as 0.
bool ParseNumber(const char* text, long long min, long long max, long long& out)
{
    if (!text || !*text)
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 0);
    if (errno != 0 || *end != '\0' || v < min || v > max)
        return false;
    out = v;
    return true;
}

std::wstring Wide(const char* s)
{
    std::wstring w;
    for (; *s; ++s)
        w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "find") == 0) {
        const uint64_t w = tarn::FindInstanceWindow(Wide(argv[2]).c_str());
        if (!w)
            return 1;
        std::printf("%llu\n", static_cast<unsigned long long>(w));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "forward") == 0)
        return tarn::BringInstanceForward(Wide(argv[2]).c_str()) ? 0 : 1;
    if (argc == 6 && std::strcmp(argv[1], "post") == 0) {
        long long msg = 0;
        long long wp = 0;
        long long lp = 0;
        if (!ParseNumber(argv[3], 0, 0xFFFF, msg) || !ParseNumber(argv[4], 0, 0xFFFFFFFFll, wp)
            || !ParseNumber(argv[5], -0x80000000ll, 0xFFFFFFFFll, lp)) {
            std::fprintf(stderr, "post: MSG is 0..65535, WPARAM 0..4294967295, LPARAM a 32-bit number\n");
            return 2;
        }
        return tarn::PostInstanceMessage(Wide(argv[2]).c_str(), static_cast<tarn::UINT>(msg), static_cast<tarn::WPARAM>(wp),
                                         static_cast<tarn::LPARAM>(lp))
                   ? 0
                   : 1;
    }
    std::fprintf(stderr, "usage: %s find NAME | forward NAME | post NAME MSG WPARAM LPARAM\n", argv[0]);
    return 2;
}
