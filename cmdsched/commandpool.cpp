#include "commandpool.h"

#include <QMetaType>
#include <QMutexLocker>

CommandPool::CommandPool(QObject *parent) : QObject(parent)
{
    // Commands cross threads through queued connections.
    qRegisterMetaType<QSharedPointer<Command>>("QSharedPointer<Command>");
}

CommandPool::~CommandPool() = default;

int CommandPool::add(QSharedPointer<Command> command)
{
    QMutexLocker locker(&m_mutex);
    m_commands.append(command);
    return m_commands.size();
}

void CommandPool::reset()
{
    QMutexLocker locker(&m_mutex);
    m_commands.clear();
}
