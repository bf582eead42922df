#include "app/StoreLayoutSwitch.h"
#include "catalogue/Layout.h"
#include "catalogue/LayoutViews.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/Session.h"
#include "tools/corvanectl/SilentViews.h"

namespace corvane::ctl {

namespace {

std::string Utf8(const tarn::CString& s)
{
    return s.ToUtf8();
}

void Print(std::FILE* out, const LayoutState& s)
{
    std::fprintf(out, "device_type\t%d\nmodel\t%s\nflags\t0x%02x\n", s.device_type, Utf8(s.model_name).c_str(),
                 static_cast<unsigned>(s.feature_flags));
    std::fprintf(out, "firmware\t%s\t%s\t%s\n", Utf8(s.firmware_version).c_str(), Utf8(s.firmware_file).c_str(),
                 Utf8(s.firmware_url).c_str());
    std::fprintf(out, "light\trgb=%d\tdefault_mode=%d\tdefault_brightness=%d\tdefault_speed=%d\tbrightness_max=%d\tspeed_max=%d\n",
                 s.rgb_keyboard ? 1 : 0, s.default_mode, s.default_brightness, s.default_speed, s.brightness_max,
                 s.speed_max);
    for (const LightModeEntry& m : s.light_modes)
        std::fprintf(out, "mode\t%s\t%d\t%d\n", Utf8(m.name).c_str(), m.mode, m.attribute);
    std::fprintf(out, "size\t%d\t%d\n", s.row_count, s.col_count);
    for (size_t r = 0; r < s.matrix.size(); ++r) {
        std::fprintf(out, "matrix\t%zu", r);
        for (uint8_t b : s.matrix[r])
            std::fprintf(out, "\t%02x", b);
        std::fprintf(out, "\n");
    }
    for (const LayoutKey& k : s.keys)
        std::fprintf(out, "key\t%x\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\n", static_cast<unsigned>(k.code),
                     Utf8(k.name).c_str(), Utf8(k.desc).c_str(), k.key_index, k.row, k.col, k.rect.left, k.rect.top,
                     k.rect.right, k.rect.bottom);
}

} // namespace

int RunLayout(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    if (!cmd.args.empty()) {
        std::fprintf(err, "corvanectl: layout takes no arguments\n");
        return 2;
    }
    Session session;
    if (!session.Open(cmd, err))
        return 2;
    if (!session.OpenStore(cmd, err))
        return 1;
    StoreLayoutSwitch store(session.Store());
    SilentViews page;
    Layout layout(session.GetCatalogue(), cmd.programDir, store, page, {});
    layout.LoadLayout(cmd.deviceType);
    Print(out, layout.Snapshot());
    return 0;
}

} // namespace corvane::ctl
