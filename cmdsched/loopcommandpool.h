#ifndef LOOPCOMMANDPOOL_H
#define LOOPCOMMANDPOOL_H

#include "commandpool.h"

// Cycling pool: getNextCommand() walks the commands round and round for as
// long as it is called. Commands leave it only through reset().
class LoopCommandPool : public CommandPool
{
public:
    explicit LoopCommandPool(QObject *parent = nullptr);

    void reset() override;
    QSharedPointer<Command> getNextCommand() override;
    QSharedPointer<Command> getCurrentCommand() override;

private:
    int m_cursor = -1; // -1: before the first command
};

#endif // LOOPCOMMANDPOOL_H
