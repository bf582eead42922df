#pragma once

#include "tarnui/platform/CString.h"

#include <filesystem>

namespace corvane {

// One running program per device name and user: an exclusive lock on a file in the runtime
// folder, held by this object. The kernel drops it when the process ends in any way.
class SingleInstanceLock {
public:
    enum class Result { Acquired, AlreadyRunning, Unavailable };

    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Unavailable when the lock file cannot be opened; the caller then runs as the first.
    Result Acquire(const tarn::CString& deviceName, const std::filesystem::path& runtimeDir);
    void Release();
    bool Held() const { return m_fd >= 0; }

    // "<runtime dir>/<name>.lock"; without a runtime folder, "<temp>/<name>-<uid>.lock".
    static std::filesystem::path LockPath(const tarn::CString& deviceName, const std::filesystem::path& runtimeDir);

private:
    int m_fd = -1;
};

} // namespace corvane
