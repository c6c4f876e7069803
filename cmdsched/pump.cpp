#include "pump.h"

#include <QMutexLocker>

Pump::Pump(QObject *parent) : QObject(parent) {}

Pump::~Pump() = default;

void Pump::response(Pump::ResponseResult result)
{
    QMutexLocker locker(&m_mutex);
    m_result = result;
    m_condition.wakeAll();
}

Pump::ResponseResult Pump::result() const
{
    return m_result;
}

void Pump::setResult(const Pump::ResponseResult &result)
{
    m_result = result;
}

bool Pump::pause() const
{
    return m_pause;
}

void Pump::setPause(bool pause)
{
    m_pause = pause;
}
