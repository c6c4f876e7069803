#ifndef COMMANDCTRL_H
#define COMMANDCTRL_H

// Public interface of the command scheduler: CommandCtrl runs a pump on a
// worker thread of its own and relays its signals into the thread that created
// the controller. Commands are queued with add(), come back through
// nextCommand() when it is their turn, and are answered with response().

#include "cmdsched_global.h"
#include "command.h"
#include "pump.h"

#include <QObject>
#include <QSharedPointer>

class QThread;
class CommandPump;

class CMDSCHED_EXPORT CommandCtrl : public QObject
{
    Q_OBJECT
public:
    explicit CommandCtrl(QObject *parent = nullptr);
    ~CommandCtrl() override;

    bool start();
    void stop();
    void add(QSharedPointer<Command> command, Pump::PoolMode mode);
    void reset();
    void response(Pump::ResponseResult result);

    int interval() const;
    void setInterval(int interval);
    void setResetNext(bool resetNext);
    Pump::ResponseResult result() const;
    void setResult(const Pump::ResponseResult &result);
    bool pause() const;
    void setPause(bool pause);
    int getRetryNum() const;
    void setRetryNum(int retryNum);

signals:
    void started();
    void stoped();
    void communicationTimeout();
    void nextCommand(QSharedPointer<Command> cmd);
    void startRun();

private:
    QThread *m_thread;
    CommandPump *m_pump;
};

#endif // COMMANDCTRL_H
