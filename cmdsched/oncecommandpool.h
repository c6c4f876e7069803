#ifndef ONCECOMMANDPOOL_H
#define ONCECOMMANDPOOL_H

#include "commandpool.h"

// First-in first-out pool: the head stays in place until the pump removes it
// after the first attempt to send it.
class OnceCommandPool : public CommandPool
{
public:
    explicit OnceCommandPool(QObject *parent = nullptr);

    QSharedPointer<Command> getNextCommand() override;
    QSharedPointer<Command> getCurrentCommand() override;
    void removeFirstCommand();
};

#endif // ONCECOMMANDPOOL_H
