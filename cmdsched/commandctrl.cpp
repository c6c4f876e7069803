#include "commandctrl.h"

#include "commandpump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

CommandCtrl::CommandCtrl(QObject *parent)
    : QObject(parent), m_thread(new QThread(nullptr)), m_pump(new CommandPump(10, nullptr))
{
    m_thread->setObjectName(QStringLiteral("CommandPump"));
    connect(this, &CommandCtrl::startRun, m_pump, &CommandPump::doRun);
    connect(m_pump, &CommandPump::nextCommand, this, &CommandCtrl::nextCommand);
    connect(m_pump, &CommandPump::started, this, &CommandCtrl::started);
    connect(m_pump, &CommandPump::stoped, this, &CommandCtrl::stoped);
    connect(m_pump, &CommandPump::communicationTimeout, this, &CommandCtrl::communicationTimeout);
    m_pump->moveToThread(m_thread);
}

CommandCtrl::~CommandCtrl()
{
    if (m_pump->isRunning())
        stop();
    if (m_thread->isRunning()) {
        m_thread->quit();
        m_thread->wait();
    }
    delete m_pump;
    delete m_thread;
}

bool CommandCtrl::start()
{
    if (m_pump->isRunning() || !m_pump->start())
        return false;
    m_thread->start(QThread::InheritPriority);
    emit startRun();
    return true;
}

void CommandCtrl::stop()
{
    if (!m_pump->isRunning())
        return;
    m_pump->stop();
    m_thread->quit();
    m_thread->wait();
    // A stop that came before the worker picked up its start request leaves
    // that request queued; drop it so a later start() runs one loop, not two.
    QCoreApplication::removePostedEvents(m_pump, QEvent::MetaCall);
}

void CommandCtrl::add(QSharedPointer<Command> command, Pump::PoolMode mode)
{
    m_pump->add(command, mode);
}

void CommandCtrl::reset()
{
    m_pump->reset();
}

void CommandCtrl::response(Pump::ResponseResult result)
{
    m_pump->response(result);
}

int CommandCtrl::interval() const
{
    return m_pump->interval();
}

void CommandCtrl::setInterval(int interval)
{
    m_pump->setInterval(interval);
}

void CommandCtrl::setResetNext(bool resetNext)
{
    m_pump->setResetNext(resetNext);
}

Pump::ResponseResult CommandCtrl::result() const
{
    return m_pump->result();
}

void CommandCtrl::setResult(const Pump::ResponseResult &result)
{
    m_pump->setResult(result);
}

bool CommandCtrl::pause() const
{
    return m_pump->pause();
}

void CommandCtrl::setPause(bool pause)
{
    m_pump->setPause(pause);
}

int CommandCtrl::getRetryNum() const
{
    return m_pump->getRetryNum();
}

void CommandCtrl::setRetryNum(int retryNum)
{
    m_pump->setRetryNum(retryNum);
}
