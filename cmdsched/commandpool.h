#ifndef COMMANDPOOL_H
#define COMMANDPOOL_H

#include "command.h"

#include <QMutex>
#include <QObject>
#include <QSharedPointer>
#include <QVector>

// A queue of commands shared between the thread that queues them and the
// pump's worker thread. Every operation holds the pool's mutex for its whole
// duration.
class CommandPool : public QObject
{
public:
    explicit CommandPool(QObject *parent = nullptr);
    ~CommandPool() override;

    // Appends the command (a null pointer too) and returns the new count.
    int add(QSharedPointer<Command> command);

    virtual void reset();
    virtual QSharedPointer<Command> getNextCommand() = 0;
    virtual QSharedPointer<Command> getCurrentCommand() = 0;

protected:
    QVector<QSharedPointer<Command>> m_commands;
    QMutex m_mutex;
};

#endif // COMMANDPOOL_H
