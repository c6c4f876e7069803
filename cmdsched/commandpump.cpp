#include "commandpump.h"

#include "loopcommandpool.h"
#include "oncecommandpool.h"

#include <QDebug>
#include <QMutexLocker>
#include <QThread>

#include <climits>

CommandPump::CommandPump(int interval, QObject *parent)
    : Pump(parent), m_interval(interval), m_oncePool(new OnceCommandPool(nullptr)),
      m_loopPool(new LoopCommandPool(nullptr))
{
    qRegisterMetaType<QSharedPointer<Command>>("QSharedPointer<Command>");
    qRegisterMetaType<Pump::PoolMode>("Pump::PoolMode");
    qRegisterMetaType<Pump::ResponseResult>("Pump::ResponseResult");
}

CommandPump::~CommandPump()
{
    if (m_isRunning)
        stop();
    delete m_oncePool;
    delete m_loopPool;
}

bool CommandPump::start()
{
    if (m_isRunning)
        return false;
    setPause(false);
    m_isRunning = true;
    return true;
}

void CommandPump::stop()
{
    if (!m_isRunning)
        return;
    {
        QMutexLocker locker(&m_mutex);
        m_result = Stop;
        m_condition.wakeAll();
    }
    m_isRunning = false;
}

void CommandPump::reset()
{
#ifndef CMDSCHED_LIBRARY_REVISION
    qDebug() << "CommandPump::reset()"
             << "==========================================";
#endif
    m_oncePool->reset();
    m_loopPool->reset();
}

void CommandPump::add(QSharedPointer<Command> command, Pump::PoolMode mode)
{
    switch (mode) {
    case Once:
        m_oncePool->add(command);
        break;
    case Loop:
        m_loopPool->add(command);
        break;
    }
}

OnceCommandPool *CommandPump::oncePool() const
{
    return m_oncePool;
}

LoopCommandPool *CommandPump::loopPool() const
{
    return m_loopPool;
}

int CommandPump::interval() const
{
    return m_interval;
}

void CommandPump::setInterval(int interval)
{
    m_interval = interval;
}

bool CommandPump::resetNext() const
{
    return m_resetNext;
}

void CommandPump::setResetNext(bool resetNext)
{
    m_resetNext = resetNext;
}

bool CommandPump::isRunning() const
{
    return m_isRunning;
}

void CommandPump::setIsRunning(bool isRunning)
{
    m_isRunning = isRunning;
}

int CommandPump::getRetryNum() const
{
    return m_retryNum;
}

void CommandPump::setRetryNum(int retryNum)
{
    m_retryNum = retryNum;
}

namespace {

void sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

// A negative timeout would make the wait unbounded; such a command gets the
// default time instead, so a badly built command cannot stall the pump.
unsigned long waitTimeFor(const QSharedPointer<Command> &command)
{
    const int timeout = command->timeout();
    return static_cast<unsigned long>(timeout >= 0 ? timeout : Command::DefaultTimeoutMs);
}

} // namespace

void CommandPump::doRun()
{
    QSharedPointer<Command> inFlight;
    int attempts = 0;
    bool fromOncePool = false;
    bool firstAttempt = false;

    // 1. A stop() that came before the loop began must not be overwritten.
    {
        QMutexLocker locker(&m_mutex);
        m_result = m_isRunning ? Idle : Stop;
    }
    emit started();

    // 2.
    if (m_result == Stop) {
        emit stoped();
        return;
    }

    for (;;) {
        // 3.
        const int interval = m_interval;

        // 4. Paused: only sleep.
        if (!pause()) {
            // 5. Empty both pools; the command in flight is left alone.
            if (m_resetNext) {
                reset();
                sleepMs(interval);
                m_resetNext = false;
                if (m_result == Stop)
                    break;
                continue;
            }

            bool issue = false;
            if (attempts != 0) {
                // 6. A command is being repeated.
                issue = !inFlight.isNull();
            } else {
                // 7. Take the next command, once pool first.
                inFlight = m_oncePool->getNextCommand();
                fromOncePool = !inFlight.isNull();
                if (inFlight.isNull())
                    inFlight = m_loopPool->getNextCommand();
                firstAttempt = true;
                issue = !inFlight.isNull();
            }

            if (issue) {
                // 8. Issue under the mutex so that an early answer waits until
                // we are inside the wait and cannot be lost.
                bool woken = false;
                ResponseResult got = Idle;
                {
                    QMutexLocker locker(&m_mutex);
                    if (m_result == Stop)
                        break;
                    m_result = Waiting;
                    emit nextCommand(inFlight);
                    woken = m_condition.wait(&m_mutex, waitTimeFor(inFlight));
                    got = m_result;
                }

                // 9. Judge the attempt. A stop that raced with the time-out
                // still ends the loop without counting the attempt.
                if (got == Stop)
                    break;
#ifdef CMDSCHED_LIBRARY_REVISION
                const bool answered = woken;
#else
                const bool answered = woken && got == Answered;
#endif
                if (answered) {
                    attempts = 0;
                } else {
                    ++attempts;
                    if (attempts >= m_retryNum) {
                        emit communicationTimeout();
                        m_result = Stop;
                        break;
                    }
                }

                // 10. A once command leaves its pool after its first attempt.
                if (fromOncePool && firstAttempt)
                    m_oncePool->removeFirstCommand();
                firstAttempt = false;
            }
        }

        // 12.
        sleepMs(interval);
        if (m_result == Stop)
            break;
    }

    // 13.
    emit stoped();
    inFlight.reset();
}
