#include "oncecommandpool.h"

#include <QMutexLocker>

OnceCommandPool::OnceCommandPool(QObject *parent) : CommandPool(parent) {}

QSharedPointer<Command> OnceCommandPool::getNextCommand()
{
    QMutexLocker locker(&m_mutex);
    if (m_commands.isEmpty())
        return {};
    return m_commands.first();
}

QSharedPointer<Command> OnceCommandPool::getCurrentCommand()
{
    return getNextCommand();
}

void OnceCommandPool::removeFirstCommand()
{
    QMutexLocker locker(&m_mutex);
    if (!m_commands.isEmpty())
        m_commands.removeFirst();
}
