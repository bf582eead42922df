#pragma once

#include "tarnui/platform/MessageQueue.h"

#include <optional>

namespace tarn {

// Retrieval in the Windows order, and the wait between retrievals.
class MessageLoop {
public:
    // What the thread owes before it looks at its queue: cross-thread sends and tasks, due
    // multimedia ticks, a due hover.
    static void ProcessIncoming(MessageQueue& queue);
    // Sent (delivered inside), posted, WM_QUIT, input, WM_PAINT, WM_TIMER.
    static bool Retrieve(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG& out);
    // Polls the wake descriptor, the backend and the fd watches; blocking waits until the next
    // timer at most.
    static void Wait(MessageQueue& queue, bool block);
    static std::optional<uint64_t> NextDue(MessageQueue& queue);
    // False (and the error set) when hwnd is neither null, -1, nor a window.
    static bool BuildFilter(HWND hwnd, UINT min, UINT max, MessageFilter& out);
    // The first window of this thread that needs painting and passes the filter.
    static HWND FindPaintWindow(DWORD thread, const MessageFilter& filter);
};

} // namespace tarn
