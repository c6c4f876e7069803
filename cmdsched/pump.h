#ifndef PUMP_H
#define PUMP_H

#include "cmdsched_global.h"

#include <QMetaType>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>

#include <atomic>

// Base of the command pump: the answer hand-off between the threads that
// report answers and the worker that waits for them. result is guarded by the
// mutex together with the wait condition; it is also kept atomic so that the
// unlocked accessors are safe to call from any thread.
class Pump : public QObject
{
    Q_OBJECT
public:
    enum PoolMode { Once = 0, Loop = 1 };
    enum ResponseResult { Idle = 0, Waiting = 1, Stop = 2, Answered = 3 };

    explicit Pump(QObject *parent = nullptr);
    ~Pump() override;

    // Stores the result and wakes every waiter; callable from any thread.
    void response(Pump::ResponseResult result);

    ResponseResult result() const;
    void setResult(const Pump::ResponseResult &result);
    bool pause() const;
    void setPause(bool pause);

protected:
    QMutex m_mutex;
    QWaitCondition m_condition;
    std::atomic<bool> m_pause{false};
    std::atomic<ResponseResult> m_result{Idle};
};

Q_DECLARE_METATYPE(Pump::PoolMode)
Q_DECLARE_METATYPE(Pump::ResponseResult)

#endif // PUMP_H
