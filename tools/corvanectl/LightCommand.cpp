#include "app/LightDefaults.h"
#include "catalogue/LayoutState.h"
#include "store/ConfigStore.h"
#include "store/TextLookup.h"
#include "tools/corvanectl/CommandOptions.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/DeviceRun.h"
#include "tarnui/platform/Numbers.h"

#include <algorithm>

namespace corvane::ctl {

namespace {

constexpr int PerKeyColours = 0x100;
constexpr int MusicLighting = 0x200;
constexpr int ScreenLighting = 0x400;
// The sliders' range when the layout names no maximum.
constexpr int DefaultSliderMaximum = 4;
constexpr int ColourIndexButtons = 8;

int Usage(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "corvanectl: %s\n", message.c_str());
    return ExitUsage;
}

bool IsWireless(int connection_mode)
{
    return connection_mode == 1 || connection_mode == 2;
}

// The modes the lighting page lists: the stored rows, or on a new database the rows it is about
// to get. The music-only mode is left out on a wireless link.
std::vector<LightRecord> ListedModes(DeviceRun& run, const LayoutState& layout)
{
    std::vector<LightRecord> rows;
    run.Store().GetLightModes(ConfigStore::LightProfile, rows);
    if (rows.empty()) {
        for (const LightModeEntry& entry : layout.light_modes)
            rows.push_back(LightDefaults::InitialRow(layout, entry));
    }
    if (IsWireless(run.ConnectionMode()))
        std::erase_if(rows, [](const LightRecord& r) { return r.config_func == MusicLighting; });
    return rows;
}

std::string ModeNumbers(const std::vector<LightRecord>& rows)
{
    std::string list;
    for (const LightRecord& r : rows)
        list += (list.empty() ? "" : " ") + std::to_string(r.mode);
    return list.empty() ? "none" : list;
}

unsigned Rgb(int32_t bgr)
{
    const auto v = static_cast<uint32_t>(bgr);
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

int Show(DeviceRun& run, std::FILE* out)
{
    run.Rescan();
    const LayoutState layout = run.LayoutSnapshot();
    LightDefaults::CreateIfNone(run.Store(), layout);
    const int active = run.Store().GetActiveLightMode(ConfigStore::LightProfile);
    std::fprintf(out, "mode\tname\ttext\tbrightness\tspeed\tdirection\tmulticolour\tcolour_index\tcolour\tattribute\tactive\n");
    for (const LightRecord& r : ListedModes(run, layout)) {
        const tarn::CString text = run.Texts().LoadText(L"KB.DIALOG", tarn::ReadDecimal(r.name.view()));
        std::fprintf(out, "%d\t%s\t%s\t%d\t%d\t%d\t%d\t%d\t%06x\t0x%03x\t%d\n", r.mode, r.name.ToUtf8().c_str(),
                     text.ToUtf8().c_str(), r.brightness, r.speed, r.direction, r.colorful, r.colorindex,
                     Rgb(r.color_value), static_cast<unsigned>(r.config_func), r.mode == active ? 1 : 0);
    }
    std::fprintf(out, "active\t%d\n", active);
    return 0;
}

// Picking a mode in the list: it becomes the active row, and unless the music or screen lighting
// takes over it is sent with the mode command first.
int Select(DeviceRun& run, const std::string& word, std::FILE* err)
{
    int mode = 0;
    if (!CommandOptions::ParseNumber(word, 0, 0xFFFF, mode))
        return Usage(err, "light select needs a mode number, not \"" + word + "\"");
    run.Rescan();
    const LayoutState layout = run.LayoutSnapshot();
    const std::vector<LightRecord> listed = ListedModes(run, layout);
    if (std::none_of(listed.begin(), listed.end(), [&](const LightRecord& r) { return r.mode == mode; }))
        return Usage(err, "unknown light mode " + word + " (the modes are " + ModeNumbers(listed) + ")");
    if (const int status = run.RequireKeyboard(err))
        return status;

    LightDefaults::CreateIfNone(run.Store(), layout);
    LightRecord row;
    if (!run.Store().GetLightMode(ConfigStore::LightProfile, mode, row)
        || !run.Store().SetActiveLightMode(ConfigStore::LightProfile, mode)) {
        std::fprintf(err, "corvanectl: cannot store light mode %d as the active one\n", mode);
        return ExitFailure;
    }
    run.SetLightMode(mode);
    const bool taken_over = !(row.config_func & PerKeyColours) && (row.config_func & (MusicLighting | ScreenLighting));
    if (!taken_over) {
        run.Tasks().Light().SetModeSent(false);
        run.Tasks().ApplyLightMode();
    }
    return 0;
}

struct LightChange {
    std::optional<int> brightness, speed, direction, multicolour, colourIndex;
    std::optional<uint32_t> colour;
};

// The values whose range the layout does not decide, checked before anything is opened.
bool ReadFixedRanges(const CommandOptions& options, LightChange& change, std::string& error)
{
    return options.Number("--multicolour", 0, 1, change.multicolour, error)
           && options.Number("--colour-index", 0, ColourIndexButtons - 1, change.colourIndex, error)
           && options.Colour("--colour", change.colour, error);
}

int Set(DeviceRun& run, const CommandOptions& options, LightChange change, std::FILE* err)
{
    std::string error;
    run.Rescan();
    const LayoutState layout = run.LayoutSnapshot();
    const int brightness_max = layout.brightness_max >= 1 ? layout.brightness_max : DefaultSliderMaximum;
    const int speed_max = layout.speed_max >= 1 ? layout.speed_max : DefaultSliderMaximum;
    // The left and right buttons store 1 and 2 on models 200 to 299, 0 and 1 on the others.
    const int direction_min = layout.device_type >= 200 && layout.device_type <= 299 ? 1 : 0;
    if (!options.Number("--brightness", 1, brightness_max, change.brightness, error)
        || !options.Number("--speed", 1, speed_max, change.speed, error)
        || !options.Number("--direction", direction_min, direction_min + 1, change.direction, error))
        return Usage(err, error);

    const bool fresh = run.Store().CountLightModes(ConfigStore::LightProfile) == 0;
    const int mode = fresh ? layout.default_mode : run.Store().GetActiveLightMode(ConfigStore::LightProfile);
    const std::vector<LightRecord> listed = ListedModes(run, layout);
    if (std::none_of(listed.begin(), listed.end(), [&](const LightRecord& r) { return r.mode == mode; })) {
        if (mode == 0)
            std::fprintf(err, "corvanectl: no light mode is active; choose one with light select\n");
        else
            std::fprintf(err, "corvanectl: the active light mode %d is not offered on this connection\n", mode);
        return ExitFailure;
    }
    if (const int status = run.RequireKeyboard(err))
        return status;

    LightDefaults::CreateIfNone(run.Store(), layout);
    LightRecord row;
    run.Store().GetLightMode(ConfigStore::LightProfile, mode, row);
    if (change.brightness)
        row.brightness = *change.brightness;
    if (change.speed)
        row.speed = *change.speed;
    if (change.direction)
        row.direction = *change.direction;
    if (change.colourIndex)
        row.colorindex = *change.colourIndex;
    if (change.multicolour) {
        // Clearing the multicolour box turns the single colour back to red.
        if (*change.multicolour == 0 && row.colorful == 1)
            row.color_value = 255;
        row.colorful = *change.multicolour;
    }
    if (change.colour) {
        row.color_value = static_cast<int32_t>(*change.colour);
        if (!change.multicolour)
            row.colorful = 0;
    }
    if (!run.Store().UpdateLightMode(ConfigStore::LightProfile, mode, row)) {
        std::fprintf(err, "corvanectl: cannot store the settings of light mode %d\n", mode);
        return ExitFailure;
    }
    // In the per-key mode the colour is the painting colour of the key editor, not a setting.
    const bool painting_colour_only = (row.config_func & PerKeyColours) && change.colour && !change.brightness
                                      && !change.speed && !change.direction && !change.colourIndex && !change.multicolour;
    if (!painting_colour_only) {
        run.SetLightMode(mode);
        run.Tasks().ApplyLightMode();
    }
    return 0;
}

} // namespace

int RunLight(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    CommandOptions options;
    LightChange change;
    std::string error;
    const std::string sub = cmd.args.empty() ? "" : cmd.args.front();
    const std::vector<std::string> rest(cmd.args.begin() + (cmd.args.empty() ? 0 : 1), cmd.args.end());
    if (sub == "set") {
        if (!options.Parse(rest, {"--brightness", "--speed", "--direction", "--colour", "--multicolour", "--colour-index"},
                           error))
            return Usage(err, "light set: " + error);
        if (!options.Words().empty())
            return Usage(err, "light set takes options only, not \"" + options.Words().front() + "\"");
        if (options.Empty())
            return Usage(err, "light set needs at least one of --brightness, --speed, --direction, --colour, "
                              "--multicolour, --colour-index");
        if (!ReadFixedRanges(options, change, error))
            return Usage(err, error);
    } else if (sub == "show" || sub == "select") {
        if (!options.Parse(rest, {}, error))
            return Usage(err, "light " + sub + ": " + error);
        if (options.Words().size() != (sub == "select" ? 1u : 0u))
            return Usage(err, sub == "select" ? "light select needs one mode number" : "light show takes no arguments");
    } else {
        return Usage(err, "light needs show, select MODE or set [options]");
    }

    DeviceRun run(cmd);
    if (const int status = run.Open(err))
        return status;
    int status = 0;
    if (sub == "show")
        status = Show(run, out);
    else if (sub == "select")
        status = Select(run, options.Words().front(), err);
    else
        status = Set(run, options, change, err);
    if (status == 0)
        run.Finish(out);
    return status;
}

} // namespace corvane::ctl
