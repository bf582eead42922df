#pragma once

#include <cstdint>

namespace corvane {

// What the worker's passes need from the main window and the device link. Called on the
// worker thread.
class WorkerHost {
public:
    virtual ~WorkerHost() = default;
    // The two connection flags; work that needs the keyboard runs only when both hold.
    virtual bool KeyboardPresent() = 0;
    virtual bool KeyboardConnected() = 0;
    virtual void EnableMainWindow(bool enable) = 0;
    // The work of this token has ended, done or dropped: its wait dialog may close. Must hand
    // over to the interface thread rather than touch the dialog.
    virtual void PostTaskDone(uint64_t token) = 0;
    // A pass with nothing queued: one live lighting frame when its conditions hold.
    virtual void IdlePass() = 0;
    virtual void PlayMacro(int macro) = 0;
};

} // namespace corvane
