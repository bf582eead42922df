#pragma once

#include <span>

namespace corvane {

// The statements that create a new database file, in the order they run: each table followed
// by the index on its primary key (t_configdata has none).
class StoreSchema {
public:
    static std::span<const char* const> Statements();
    // The names of the nine tables and eight indexes those statements create.
    static std::span<const char* const> ObjectNames();
};

} // namespace corvane
