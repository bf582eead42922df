#pragma once

#include "store/StoreRecords.h"

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace corvane {

// The tight kernel the per-click colour save is measured against: its own connection straight
// on the C interface, one transaction around the delete of set 128 and the inserts, both
// statements prepared once and reused. Only the benchmark links it.
class ColourSaveReference {
public:
    // Opens an existing database file that already has the schema.
    explicit ColourSaveReference(const std::string& path);
    ~ColourSaveReference();
    ColourSaveReference(const ColourSaveReference&) = delete;
    ColourSaveReference& operator=(const ColourSaveReference&) = delete;

    bool IsReady() const { return m_insert != nullptr; }
    // Answers the rows stored, 0 on any failure.
    int Save(const std::vector<KeyLightRecord>& records);

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_delete = nullptr;
    sqlite3_stmt* m_insert = nullptr;
};

} // namespace corvane
