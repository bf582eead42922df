#include "catalogue/LayoutState.h"
#include "store/ConfigStore.h"
#include "store/ProfileListLoader.h"
#include "store/ProfileListView.h"
#include "tools/corvanectl/CommandOptions.h"
#include "tools/corvanectl/Commands.h"
#include "tools/corvanectl/DeviceRun.h"

#include <algorithm>
#include <climits>

namespace corvane::ctl {

namespace {

// The profile list as the custom key page would fill it.
class ProfileList : public ProfileListView {
public:
    void FillProfiles(const std::vector<ProfileRecord>& profiles) override { m_profiles = profiles; }
    void ShowActiveProfile(int32_t) override {}

    const ProfileRecord* Find(int32_t profile) const
    {
        const auto it = std::find_if(m_profiles.begin(), m_profiles.end(),
                                     [&](const ProfileRecord& r) { return r.profile == profile; });
        return it == m_profiles.end() ? nullptr : &*it;
    }

private:
    std::vector<ProfileRecord> m_profiles;
};

int Usage(std::FILE* err, const std::string& message)
{
    std::fprintf(err, "corvanectl: %s\n", message.c_str());
    return ExitUsage;
}

// Loads the list (a new database gets its profiles here) and answers the profile to act on.
int ChooseProfile(DeviceRun& run, const std::optional<int>& wanted, ProfileList& list, int& active, int& chosen,
                  std::FILE* err)
{
    active = ProfileListLoader::Load(run.Store(), run.Texts(), list);
    if (active == 0) {
        std::fprintf(err, "corvanectl: the database holds no profiles\n");
        return ExitFailure;
    }
    chosen = wanted.value_or(active);
    if (!list.Find(chosen))
        return Usage(err, "no profile " + std::to_string(chosen));
    return 0;
}

} // namespace

int RunKeys(const CommandLine& cmd, std::FILE* out, std::FILE* err)
{
    const std::string sub = cmd.args.empty() ? "" : cmd.args.front();
    if (sub != "show" && sub != "upload")
        return Usage(err, "keys needs show or upload [--profile P]");
    CommandOptions options;
    std::string error;
    std::optional<int> wanted;
    if (!options.Parse({cmd.args.begin() + 1, cmd.args.end()}, {"--profile"}, error)
        || !options.Number("--profile", 1, INT_MAX, wanted, error))
        return Usage(err, "keys " + sub + ": " + error);
    if (!options.Words().empty())
        return Usage(err, "keys " + sub + " takes --profile P only, not \"" + options.Words().front() + "\"");

    DeviceRun run(cmd);
    if (const int status = run.Open(err))
        return status;
    run.Rescan();
    ProfileList list;
    int active = 0;
    int chosen = 0;
    if (sub == "upload") {
        if (const int status = run.RequireKeyboard(err))
            return status;
        if (const int status = ChooseProfile(run, wanted, list, active, chosen, err))
            return status;
        run.SetProfile(chosen);
        run.Tasks().UploadKeyMap();
        run.Finish(out);
        return 0;
    }

    if (const int status = ChooseProfile(run, wanted, list, active, chosen, err))
        return status;
    std::fprintf(out, "active_profile\t%d\nprofile\t%d\t%s\n", active, chosen, list.Find(chosen)->name.ToUtf8().c_str());
    std::vector<KeyMacroRecord> rows;
    run.Store().GetLayerAssignments(chosen, 0, rows);
    for (const KeyMacroRecord& r : rows)
        std::fprintf(out, "key\t%x\t%d\t%d\t%d\t%d\t%s\n", static_cast<unsigned>(r.key_code), r.macro_type,
                     r.macro_value, r.macro_value2, r.macro_value3, r.macro_desc.ToUtf8().c_str());
    run.Finish(out);
    return 0;
}

} // namespace corvane::ctl
