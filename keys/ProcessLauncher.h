#pragma once

#include "tarnui/platform/CString.h"

#include <string>
#include <vector>

namespace corvane {

// Starts programs for other-data keys, always from an argument vector and never through a
// shell, so no character of a path or address is ever interpreted.
class ProcessLauncher {
public:
    // `opener` opens files and addresses with the desktop's usual program.
    explicit ProcessLauncher(std::string opener = "xdg-open");

    // An executable file is started itself; any other path goes to the opener.
    bool StartProgram(const tarn::CString& path) const;
    // Hands the address to the opener.
    bool OpenAddress(const tarn::CString& url) const;

    // Starts argv[0] (found in PATH when it has no "/") in a session of its own, with its
    // standard streams on /dev/null, and does not wait; true when it was started.
    static bool SpawnDetached(const std::vector<std::string>& argv);
    // Starts argv[0] and waits for it: its exit status, or -1 when it could not be started or
    // did not exit normally.
    static int RunAndWait(const std::vector<std::string>& argv);

private:
    bool Open(const std::string& target) const;

    std::string m_opener;
};

} // namespace corvane
