#include "MessageQueue.h"

#include "tarnui/platform/WinConst.h"

#include <algorithm>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tarn {

bool MessageFilter::AcceptsWindow(HWND hwnd) const
{
    if (threadOnly)
        return hwnd == nullptr;
    if (anyWindow)
        return true;
    return std::find(windows.begin(), windows.end(), hwnd) != windows.end();
}

MessageQueue::MessageQueue(DWORD threadId) : m_threadId(threadId), m_timers(threadId)
{
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

MessageQueue::~MessageQueue()
{
    FailPendingSent();
    if (m_wakeFd >= 0)
        close(m_wakeFd);
}

void MessageQueue::Wake()
{
    if (m_wakeFd < 0)
        return;
    const uint64_t one = 1;
    // A full counter already means "wake up"; nothing is lost when the write fails.
    [[maybe_unused]] const auto written = write(m_wakeFd, &one, sizeof one);
}

void MessageQueue::DrainWake()
{
    uint64_t value = 0;
    if (m_wakeFd >= 0)
        [[maybe_unused]] const auto got = read(m_wakeFd, &value, sizeof value);
}

void MessageQueue::Post(const MSG& msg)
{
    {
        std::lock_guard lock(m_mutex);
        m_posted.push_back(msg);
    }
    Wake();
}

void MessageQueue::PostInput(const QueuedInput& input)
{
    {
        std::lock_guard lock(m_mutex);
        if (input.msg.message == WM_MOUSEMOVE && !m_input.empty()) {
            auto& last = m_input.back();
            if (last.msg.message == WM_MOUSEMOVE && last.msg.hwnd == input.msg.hwnd && last.msg.wParam == input.msg.wParam) {
                last = input;
                return;
            }
        }
        m_input.push_back(input);
    }
    Wake();
}

void MessageQueue::PostQuit(int code)
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_quitCode = code;
    }
    Wake();
}

void MessageQueue::PostTask(std::function<void()> task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    Wake();
}

void MessageQueue::PushSent(std::shared_ptr<SentMessage> sent)
{
    {
        std::lock_guard lock(m_mutex);
        m_sent.push_back(std::move(sent));
    }
    Wake();
}

std::shared_ptr<SentMessage> MessageQueue::PopSent()
{
    std::lock_guard lock(m_mutex);
    if (m_sent.empty())
        return nullptr;
    auto sent = std::move(m_sent.front());
    m_sent.pop_front();
    return sent;
}

std::function<void()> MessageQueue::PopTask()
{
    std::lock_guard lock(m_mutex);
    if (m_tasks.empty())
        return nullptr;
    auto task = std::move(m_tasks.front());
    m_tasks.pop_front();
    return task;
}

void MessageQueue::FailPendingSent()
{
    while (auto sent = PopSent()) {
        sent->result = 0;
        sent->done.store(true);
        if (auto sender = sent->sender.lock())
            sender->Wake();
    }
}

bool MessageQueue::TakePosted(const MessageFilter& filter, bool remove, MSG& out)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_posted.begin(); it != m_posted.end(); ++it) {
        if (filter.Accepts(it->hwnd, it->message)) {
            out = *it;
            if (remove)
                m_posted.erase(it);
            return true;
        }
    }
    return false;
}

bool MessageQueue::TakeQuit(bool remove, int& code)
{
    std::lock_guard lock(m_mutex);
    if (!m_quit)
        return false;
    code = m_quitCode;
    if (remove)
        m_quit = false;
    return true;
}

bool MessageQueue::TakeInput(const MessageFilter& filter, bool remove, QueuedInput& out)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_input.begin(); it != m_input.end(); ++it) {
        if (filter.Accepts(it->msg.hwnd, it->msg.message)) {
            out = *it;
            if (remove)
                m_input.erase(it);
            return true;
        }
    }
    return false;
}

void MessageQueue::Clear()
{
    {
        std::lock_guard lock(m_mutex);
        m_posted.clear();
        m_input.clear();
        m_tasks.clear();
        m_quit = false;
    }
    FailPendingSent();
    m_timers.Clear();
    m_keyState.fill(0);
    m_watches.clear();
}

} // namespace tarn
