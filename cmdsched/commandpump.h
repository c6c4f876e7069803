#ifndef COMMANDPUMP_H
#define COMMANDPUMP_H

#include "command.h"
#include "pump.h"

#include <QSharedPointer>

#include <atomic>

class OnceCommandPool;
class LoopCommandPool;

// The worker that issues one command at a time. It lives in a thread of its
// own; doRun() is its loop and returns only when the pump stops.
class CommandPump : public Pump
{
    Q_OBJECT
public:
    CommandPump(int interval, QObject *parent = nullptr);
    ~CommandPump() override;

    bool start();
    void stop();
    void reset();
    void add(QSharedPointer<Command> command, Pump::PoolMode mode);

    OnceCommandPool *oncePool() const;
    LoopCommandPool *loopPool() const;

    int interval() const;
    void setInterval(int interval);
    bool resetNext() const;
    void setResetNext(bool resetNext);
    bool isRunning() const;
    void setIsRunning(bool isRunning);
    int getRetryNum() const;
    void setRetryNum(int retryNum);

signals:
    void nextCommand(QSharedPointer<Command> command);
    void started();
    void stoped();
    void communicationTimeout();

public slots:
    void doRun();

private:
    std::atomic<bool> m_isRunning{false};
    std::atomic<int> m_interval;
    std::atomic<int> m_retryNum{3};
    OnceCommandPool *m_oncePool;
    LoopCommandPool *m_loopPool;
    std::atomic<bool> m_resetNext{false};
};

#endif // COMMANDPUMP_H
