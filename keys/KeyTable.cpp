#include "keys/KeyTable.h"

#include <algorithm>

namespace corvane {

namespace {

template <typename Match>
const KeyRow* FirstRow(Match match)
{
    const auto rows = KeyTableRows();
    const auto it = std::find_if(rows.begin(), rows.end(), match);
    return it == rows.end() ? nullptr : &*it;
}

} // namespace

const KeyRow* KeyTable::FromVirtualKey(int virtual_key)
{
    return FirstRow([virtual_key](const KeyRow& row) { return row.virtual_key == virtual_key; });
}

const KeyRow* KeyTable::FromInputCode(int input_code)
{
    return FirstRow([input_code](const KeyRow& row) { return row.input_code == input_code; });
}

const KeyRow* KeyTable::FromKeyCode(int key_code)
{
    return FirstRow([key_code](const KeyRow& row) { return row.key_code == key_code; });
}

} // namespace corvane
