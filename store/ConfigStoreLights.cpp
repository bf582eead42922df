// The light-mode, per-key colour and music-layer operations of ConfigStore.
#include "store/ConfigStore.h"

#include "store/SQLiteAutoTransaction.h"
#include "store/StoreQuery.h"

namespace corvane {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;
using Q = StoreQuery;

void ReadLight(const StoreQuery& q, LightRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Text(2), q.Int(3), q.Int(4), q.Int(5), q.Int(6),
         q.Int(7), q.Int(8), q.Int(9), q.Int(10), q.Int(11), q.Int(12)};
}

void ReadKeyLight(const StoreQuery& q, KeyLightRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4)};
}

void ReadMusicLayer(const StoreQuery& q, MusicLayerRecord& r)
{
    r = {q.Int(0), q.Int(1), q.Text(2), q.Int(3), q.Int(4), q.Int(5), q.Int(6), q.Int(7), q.Int(8)};
}

std::string LightSelect(const char* rest)
{
    return std::string("SELECT light_id, profile, name, mode, brightness, speed, direction, colorful, colorindex, "
                       "color_value, config_func, reserved, status FROM t_light_data ") + rest;
}

} // namespace

int ConfigStore::CountLightModes(int32_t profile)
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(), "SELECT count(*) FROM t_light_data WHERE profile = ?", {profile}, 0);
}

int32_t ConfigStore::AddLightMode(const LightRecord& r)
{
    Lock lock(m_lock);
    return Q::Insert(Db(),
                     "INSERT INTO t_light_data (profile, name, mode, brightness, speed, direction, colorful, "
                     "colorindex, color_value, config_func, reserved, status) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                     {r.profile, Q::Utf8(r.name), r.mode, r.brightness, r.speed, r.direction, r.colorful,
                      r.colorindex, r.color_value, r.config_func, r.reserved, r.status});
}

bool ConfigStore::UpdateLightMode(int32_t profile, int32_t mode, const LightRecord& r)
{
    Lock lock(m_lock);
    return Q::Run(Db(),
                  "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, colorindex = ?, "
                  "color_value = ?, config_func = ?, reserved = ? WHERE profile = ? AND mode = ?",
                  {r.brightness, r.speed, r.direction, r.colorful, r.colorindex, r.color_value, r.config_func,
                   r.reserved, profile, mode});
}

bool ConfigStore::SetActiveLightMode(int32_t profile, int32_t mode)
{
    Lock lock(m_lock);
    Q::Run(Db(), "UPDATE t_light_data SET status = 0", {});
    // The row GetLightMode reads, so that a mode stored twice still leaves one active row.
    return Q::Run(Db(),
                  "UPDATE t_light_data SET status = 1 WHERE light_id = (SELECT light_id FROM t_light_data "
                  "WHERE profile = ? AND mode = ? ORDER BY light_id LIMIT 1)",
                  {profile, mode});
}

int32_t ConfigStore::GetActiveLightMode(int32_t profile)
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(), "SELECT mode FROM t_light_data WHERE profile = ? AND status = 1 ORDER BY light_id LIMIT 1",
                       {profile}, 0);
}

bool ConfigStore::GetLightMode(int32_t profile, int32_t mode, LightRecord& out)
{
    Lock lock(m_lock);
    return Q::FirstRow(Db(), LightSelect("WHERE profile = ? AND mode = ? ORDER BY light_id LIMIT 1").c_str(),
                       {profile, mode}, out, ReadLight);
}

int ConfigStore::GetLightModes(int32_t profile, std::vector<LightRecord>& out)
{
    Lock lock(m_lock);
    return Q::Rows(Db(), LightSelect("WHERE profile = ? ORDER BY light_id").c_str(), {profile}, out, ReadLight);
}

bool ConfigStore::InsertKeyLights(const std::vector<KeyLightRecord>& records)
{
    // One statement prepared once and reset per row: preparing it for every row costs more than
    // the rows themselves.
    StoreQuery query(Db(), "INSERT INTO t_key_light_data (profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, ?)");
    for (const KeyLightRecord& r : records) {
        query.Bind({r.profile, r.light_id, r.key_code, r.key_rgb});
        if (!StoreQuery::Succeeded(query.Step()))
            return false;
        query.Reset();
    }
    return true;
}

int ConfigStore::SaveKeyLights(const std::vector<KeyLightRecord>& records)
{
    Lock lock(m_lock);
    SQLiteAutoTransaction transaction(this);
    if (!InsertKeyLights(records)) {
        transaction.Rollback();
        return 0;
    }
    return transaction.End() ? static_cast<int>(records.size()) : 0;
}

bool ConfigStore::DeleteKeyLights()
{
    Lock lock(m_lock);
    return Q::Run(Db(), "DELETE FROM t_key_light_data WHERE light_id = ?", {CustomLightSet});
}

int ConfigStore::ReplaceKeyLights(const std::vector<KeyLightRecord>& records)
{
    Lock lock(m_lock);
    SQLiteAutoTransaction transaction(this);
    if (!Q::Run(Db(), "DELETE FROM t_key_light_data WHERE light_id = ?", {CustomLightSet}) ||
        !InsertKeyLights(records)) {
        transaction.Rollback();
        return 0;
    }
    return transaction.End() ? static_cast<int>(records.size()) : 0;
}

int ConfigStore::GetKeyLights(int32_t light_id, std::vector<KeyLightRecord>& out)
{
    Lock lock(m_lock);
    return Q::Rows(Db(),
                   "SELECT keylight_id, profile, light_id, key_code, key_rgb FROM t_key_light_data "
                   "WHERE light_id = ? ORDER BY keylight_id",
                   {light_id}, out, ReadKeyLight);
}

int ConfigStore::CountMusicLayers()
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(), "SELECT count(*) FROM t_musiclayer_data WHERE profile = ?", {LightProfile}, 0);
}

int32_t ConfigStore::AddMusicLayer(const tarn::CString& name, int32_t foremode)
{
    Lock lock(m_lock);
    return Q::Insert(Db(),
                     "INSERT INTO t_musiclayer_data (profile, name, deviceindex, foremode, fore_amplitude, backmode, "
                     "backb_right, sel) VALUES (?, ?, 0, ?, 300, 0, 100, 0)",
                     {LightProfile, Q::Utf8(name), foremode});
}

bool ConfigStore::GetMusicLayer(int32_t layer_id, MusicLayerRecord& out)
{
    Lock lock(m_lock);
    return Q::FirstRow(Db(),
                       "SELECT layer_id, profile, name, deviceindex, foremode, fore_amplitude, backmode, backb_right, "
                       "sel FROM t_musiclayer_data WHERE layer_id = ?",
                       {layer_id}, out, ReadMusicLayer);
}

bool ConfigStore::UpdateMusicLayer(const MusicLayerRecord& r)
{
    Lock lock(m_lock);
    return Q::Run(Db(),
                  "UPDATE t_musiclayer_data SET deviceindex = ?, foremode = ?, fore_amplitude = ?, backmode = ?, "
                  "backb_right = ? WHERE layer_id = 1",
                  {r.deviceindex, r.foremode, r.fore_amplitude, r.backmode, r.backb_right});
}

bool ConfigStore::SelectMusicLayer()
{
    Lock lock(m_lock);
    Q::Run(Db(), "UPDATE t_musiclayer_data SET sel = 0 WHERE profile = ?", {LightProfile});
    return Q::Run(Db(), "UPDATE t_musiclayer_data SET sel = 1 WHERE layer_id = 1 AND profile = ?", {LightProfile});
}

int32_t ConfigStore::GetSelectedMusicLayer()
{
    Lock lock(m_lock);
    return Q::FirstInt(Db(),
                       "SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = 1 ORDER BY layer_id LIMIT 1",
                       {LightProfile}, 0);
}

} // namespace corvane
