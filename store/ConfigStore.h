#pragma once

#include "store/SQLiteDB.h"
#include "store/StoreRecords.h"
#include "tarnui/platform/CString.h"

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace corvane {

// The data-access layer over the settings database of the current keyboard model: one file per
// model, "<data folder>/db/<model name>_data_v1.db". Every operation holds one re-entrant lock,
// so the UI thread and the worker may share the store. Failures are quiet: with no database
// open, inserts answer 0, updates and deletes false, and reads false or an empty list.
//
// The connection base is private so that nothing runs SQL on it without the lock.
class ConfigStore : private SQLiteDB {
public:
    static constexpr int32_t CustomLightSet = 128; // the colour set the per-key page edits
    static constexpr int32_t LightProfile = 1;     // light modes, colours and music live here

    ConfigStore();
    ~ConfigStore() override;

    // The program's store, created on first use. Tests make their own instances instead.
    static ConfigStore& Instance();

    // Where OpenForDevice and DeleteDatabaseFile look when not given a folder; the start-up code
    // sets the data folder here. Empty until then, and nothing is opened without one.
    void SetDataFolder(const std::filesystem::path& folder);
    std::filesystem::path DataFolder() const;
    static std::filesystem::path DatabasePath(const std::filesystem::path& folder, const tarn::CString& name);

    // Opens the model's file, creating it with the schema when it does not exist yet. The db
    // folder itself is never created here. A connection to another file is closed first.
    bool OpenForDevice(const std::filesystem::path& folder, const tarn::CString& name);
    bool OpenForDevice(const tarn::CString& name);
    // Opens (creating) the file at Path() and runs the schema; true at once when already open.
    bool CreateSchema();
    // Closes the connection first when it is on that file. False when the file is still there.
    bool DeleteDatabaseFile(const std::filesystem::path& folder, const tarn::CString& name);
    bool DeleteDatabaseFile(const tarn::CString& name);
    // Also clears the opened flag when the connection closed.
    bool Close();
    using SQLiteDB::IsOpen;

    // Whether the last OpenForDevice succeeded.
    bool IsOpened() const;
    void ClearOpened();
    // The device_type of the model whose file was last opened; kept for the caller only.
    int32_t Device() const;
    void SetDevice(int32_t device_type);
    // UTF-8 path of the file; empty until first opened.
    std::string Path() const;

    // The eleven first-start rows of t_configdata, in one transaction, unless the file already
    // holds settings rows: they are written once per file. True when the rows are there.
    bool WriteDefaultSettings();

    // t_profile_data
    int32_t AddProfile(const ProfileRecord& record);
    bool DeleteProfile(int32_t profile);
    bool RenameProfile(int32_t profile, const tarn::CString& name);
    bool GetProfileName(int32_t profile, tarn::CString& name);
    int GetProfiles(std::vector<ProfileRecord>& out);
    bool SetActiveProfile(int32_t profile);
    int32_t GetActiveProfile();

    // t_key_macro_data. A record with both macro_value and macro_value2 0 leaves the key with no
    // row (its default function); key_code 0 is ignored. Delete and insert are one transaction.
    int32_t SaveKeyAssignment(const KeyMacroRecord& record);
    bool GetKeyAssignment(int32_t profile, int32_t fn_layer, int32_t key_code, KeyMacroRecord& out);
    int GetLayerAssignments(int32_t profile, int32_t fn_layer, std::vector<KeyMacroRecord>& out);
    bool DeleteProfileAssignments(int32_t profile);

    // t_key_otherdata. GetOtherData always answers true and leaves the outputs as they were
    // when the row does not exist.
    int32_t AddOtherData(const tarn::CString& macro_desc, const tarn::CString& param, int32_t type);
    bool GetOtherData(int32_t macro_value, tarn::CString& macro_desc, tarn::CString& param, int32_t& type);

    // t_light_data
    int CountLightModes(int32_t profile);
    int32_t AddLightMode(const LightRecord& record);
    bool UpdateLightMode(int32_t profile, int32_t mode, const LightRecord& record);
    bool SetActiveLightMode(int32_t profile, int32_t mode);
    int32_t GetActiveLightMode(int32_t profile);
    bool GetLightMode(int32_t profile, int32_t mode, LightRecord& out);
    int GetLightModes(int32_t profile, std::vector<LightRecord>& out);

    // t_key_light_data. The writes are all-or-nothing and answer the rows really stored.
    int SaveKeyLights(const std::vector<KeyLightRecord>& records);
    bool DeleteKeyLights();
    // DeleteKeyLights and SaveKeyLights as one transaction: the per-click colour save.
    int ReplaceKeyLights(const std::vector<KeyLightRecord>& records);
    int GetKeyLights(int32_t light_id, std::vector<KeyLightRecord>& out);

    // t_macro_data, t_macrorecord
    int32_t AddMacro(const tarn::CString& name);
    int32_t AddMacroWithSettings(const MacroRecord& record);
    bool RenameMacro(int32_t macro_id, const tarn::CString& name);
    bool UpdateMacroPlayback(const MacroRecord& record);
    // Also deletes the macro's events and every key row that played it.
    bool DeleteMacro(int32_t macro_id);
    bool GetMacroPlayTimes(int32_t macro_id, int32_t& play_times);
    bool GetMacro(int32_t macro_id, MacroRecord& out);
    int GetMacros(std::vector<MacroRecord>& out);
    int32_t AddMacroEvent(const MacroEventRecord& record);
    // All-or-nothing; answers the events really stored.
    int AddMacroEvents(const std::vector<MacroEventRecord>& records);
    // DeleteMacroEvents and AddMacroEvents as one transaction.
    int ReplaceMacroEvents(int32_t macro_id, const std::vector<MacroEventRecord>& records);
    int GetMacroEvents(int32_t macro_id, std::vector<MacroEventRecord>& out);
    bool DeleteMacroEvents(int32_t macro_id);
    int CountMacroActions(int32_t macro_id);

    // t_musiclayer_data: one settings row in practice, layer 1 of profile 1.
    int CountMusicLayers();
    int32_t AddMusicLayer(const tarn::CString& name, int32_t foremode);
    bool GetMusicLayer(int32_t layer_id, MusicLayerRecord& out);
    bool UpdateMusicLayer(const MusicLayerRecord& record);
    bool SelectMusicLayer();
    int32_t GetSelectedMusicLayer();

private:
    SQLiteDB& Db() { return *this; }
    bool SchemaComplete();
    bool RunSchema();
    bool InsertKeyLights(const std::vector<KeyLightRecord>& records);
    bool InsertMacroEvents(const std::vector<MacroEventRecord>& records);

    mutable std::recursive_mutex m_lock;
    std::filesystem::path m_dataFolder;
    std::string m_path;
    std::string m_spareKey;
    std::string m_key;
    int32_t m_device = 0;
    unsigned char m_open = 0;
};

} // namespace corvane
