#include "platform/DataFolder.h"

#include "platform/XdgFolders.h"

#include <sys/stat.h>
#include <system_error>

namespace corvane {

std::filesystem::path DataFolder::ForDevice(const std::filesystem::path& dataHome, const tarn::CString& deviceName)
{
    std::string name = deviceName.ToUtf8();
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    return dataHome / (name + " Files") / "";
}

bool DataFolder::CreateLevels(const std::filesystem::path& path)
{
    std::filesystem::path level;
    for (const auto& part : path) {
        level /= part;
        if (part.empty() || part == level.root_path())
            continue;
        ::mkdir(level.c_str(), 0755);
    }
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

} // namespace corvane
