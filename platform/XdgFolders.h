#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>
#include <string>

namespace corvane {

// The per-user base folders of the desktop conventions. A relative variable is ignored, as
// the conventions require.
class XdgFolders {
public:
    // $HOME, else the home folder of the user database; empty when neither tells.
    static std::filesystem::path Home();
    // $XDG_CONFIG_HOME, else ~/.config.
    static std::filesystem::path ConfigHome();
    // $XDG_DATA_HOME, else ~/.local/share.
    static std::filesystem::path DataHome();
    // $XDG_RUNTIME_DIR; empty when unset.
    static std::filesystem::path RuntimeDir();

    // A device name made safe as one file name: '/' and NUL become '_', and a name that would
    // mean the folder itself or its parent ("", ".", "..") becomes "_".
    static std::string FileName(const tarn::CString& name);
};

} // namespace corvane
