#include "loopcommandpool.h"

#include <QMutexLocker>

LoopCommandPool::LoopCommandPool(QObject *parent) : CommandPool(parent) {}

void LoopCommandPool::reset()
{
    CommandPool::reset();
    QMutexLocker locker(&m_mutex);
    m_cursor = -1;
}

QSharedPointer<Command> LoopCommandPool::getNextCommand()
{
    QMutexLocker locker(&m_mutex);
    const int n = m_commands.size();
    if (n == 0) {
        m_cursor = -1;
        return {};
    }
    const int next = m_cursor + 1;
    m_cursor = next < n ? next : 0;
    return m_commands.at(m_cursor);
}

QSharedPointer<Command> LoopCommandPool::getCurrentCommand()
{
    QMutexLocker locker(&m_mutex);
    if (m_commands.isEmpty() || m_cursor < 0 || m_cursor >= m_commands.size())
        return {};
    return m_commands.at(m_cursor);
}
