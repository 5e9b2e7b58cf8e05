#include "platform/SerialQueue.h"

#include <QThreadPool>

#include <deque>
#include <mutex>

struct SerialQueue::State
{
    std::mutex mutex;
    std::deque<std::function<void()>> tasks;
    bool draining = false;
    bool dropped = false;
};

void SerialQueue::drain(const std::shared_ptr<SerialQueue::State> &state)
{
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            if (state->dropped || state->tasks.empty()) {
                state->draining = false;
                return;
            }
            task = std::move(state->tasks.front());
            state->tasks.pop_front();
        }
        task();
    }
}

SerialQueue::SerialQueue(const QString &label)
    : m_state(std::make_shared<State>())
    , m_label(label)
{
}

SerialQueue::~SerialQueue()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->dropped = true;
    m_state->tasks.clear();
}

void SerialQueue::async(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->tasks.push_back(std::move(task));
    if (m_state->draining)
        return;
    m_state->draining = true;
    // One pool thread at a time drains the queue, which keeps the order.
    QThreadPool::globalInstance()->start([state = m_state] { drain(state); });
}
