#include "store/ColourSaveReference.h"

#include <sqlite3.h>

namespace corvane {

ColourSaveReference::ColourSaveReference(const std::string& path)
{
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK)
        return;
    sqlite3_exec(m_db, "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    if (sqlite3_prepare_v2(m_db, "DELETE FROM t_key_light_data WHERE light_id = 128", -1, &m_delete, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(m_db, "INSERT INTO t_key_light_data (profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, ?)",
                           -1, &m_insert, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_delete);
        m_delete = nullptr;
        m_insert = nullptr;
    }
}

ColourSaveReference::~ColourSaveReference()
{
    sqlite3_finalize(m_insert);
    sqlite3_finalize(m_delete);
    sqlite3_close(m_db);
}

int ColourSaveReference::Save(const std::vector<KeyLightRecord>& records)
{
    if (!IsReady() || sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return 0;
    bool ok = sqlite3_step(m_delete) == SQLITE_DONE;
    sqlite3_reset(m_delete);
    for (const KeyLightRecord& r : records) {
        if (!ok)
            break;
        sqlite3_bind_int(m_insert, 1, r.profile);
        sqlite3_bind_int(m_insert, 2, r.light_id);
        sqlite3_bind_int(m_insert, 3, r.key_code);
        sqlite3_bind_int(m_insert, 4, r.key_rgb);
        ok = sqlite3_step(m_insert) == SQLITE_DONE;
        sqlite3_reset(m_insert);
    }
    if (!ok || sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return 0;
    }
    return static_cast<int>(records.size());
}

} // namespace corvane
