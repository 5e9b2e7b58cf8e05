#pragma once

#include <QString>

#include <functional>
#include <memory>

// A private serial queue: tasks run one at a time, in the order given, on
// the global thread pool. Destroying the queue drops the tasks not yet
// started and does not wait for the running one.
class SerialQueue
{
public:
    explicit SerialQueue(const QString &label);
    ~SerialQueue();
    SerialQueue(const SerialQueue &) = delete;
    SerialQueue &operator=(const SerialQueue &) = delete;

    void async(std::function<void()> task);
    QString label() const { return m_label; }

private:
    struct State;
    static void drain(const std::shared_ptr<State> &state);

    std::shared_ptr<State> m_state;
    QString m_label;
};
