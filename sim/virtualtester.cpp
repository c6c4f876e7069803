#include "virtualtester.h"

#include "virtualmetercable.h"

#include <QTimer>

#include <cmath>

using Enc = MeterFrameEncoder;
using Fields = MeterFrameEncoder::Fields;

namespace {

// Current unit codes and resistance unit codes as the tester sends them.
constexpr quint8 NanoAmp = 0;
constexpr quint8 MicroAmp = 1;
constexpr quint8 MegaOhm = 0;
constexpr quint8 GigaOhm = 1;

struct Phase
{
    quint8 mode;
    int steps;
};

// The scenario, in order. The first IR phase is a test; the short one after
// it shows the tester idle between tests.
constexpr Phase Phases[] = {
    {Enc::IR, 24},   {Enc::IR, 4},  {Enc::Time, 16}, {Enc::PI, 20},  {Enc::DAR, 16},
    {Enc::COMP, 12}, {Enc::CAP, 8}, {Enc::VOLT, 10}, {Enc::RES, 10},
};
constexpr int PhaseCount = int(sizeof Phases / sizeof Phases[0]);

quint16 secondsToTime(int seconds)
{
    return Enc::packTime(seconds / 60, seconds % 60);
}

// Insulation resistance that rises as the insulation charges: MOhm below
// 1000, then GOhm.
void insulation(Fields &f, int i, qint16 vset)
{
    f.vset = vset;
    f.vout = qint16(std::min<int>(vset, vset * (i + 1) / 4));
    const double mohm = 50.0 * std::pow(1.35, i);
    if (mohm < 1000.0) {
        f.res = float(mohm);
        f.resUnit = MegaOhm;
    } else {
        f.res = float(mohm / 1000.0);
        f.resUnit = GigaOhm;
    }
    const double microamp = double(f.vout) / mohm; // V / MOhm = uA
    if (microamp >= 1.0) {
        f.current = float(microamp);
        f.currentUnit = MicroAmp;
    } else {
        f.current = float(microamp * 1000.0);
        f.currentUnit = NanoAmp;
    }
}

Fields irStep(int i)
{
    Fields f;
    f.mode = Enc::IR;
    insulation(f, i, 500);
    f.testing = 1;
    f.testTime = secondsToTime(i);
    f.dar = i >= 6 ? 1.35f : 0.0f;
    f.pi = i >= 20 ? 2.1f : 0.0f;
    f.indicator = i >= 20 ? 2 : (i >= 6 ? 1 : 0);
    // At the end of the test the reading leaves the range.
    if (i >= 22) {
        f.overRange = 1;
        f.res = 100.0f;
        f.resUnit = GigaOhm;
    }
    f.auxWord = qint16(i);
    return f;
}

Fields idleIrStep(int i)
{
    Fields f;
    f.mode = Enc::IR;
    f.vset = 500;
    f.resUnit = MegaOhm;
    f.testTime = secondsToTime(23);
    f.auxWord = qint16(i);
    return f;
}

Fields timeStep(int i)
{
    Fields f;
    f.mode = Enc::Time;
    insulation(f, i, 1000);
    f.testing = 1;
    f.elapsedTime = secondsToTime(i * 4);
    f.setTime = secondsToTime(60);
    return f;
}

Fields ratioStep(quint8 mode, int i, int steps)
{
    Fields f;
    f.mode = mode;
    insulation(f, i, 2500);
    f.testing = 1;
    const int setSeconds = mode == Enc::PI ? 600 : 60;
    const int setSeconds2 = mode == Enc::PI ? 60 : 30;
    f.setTime = secondsToTime(setSeconds);
    f.setTime2 = secondsToTime(setSeconds2);
    f.elapsedTime = secondsToTime(setSeconds * (i + 1) / steps);
    f.res2 = f.res * 0.7f;
    f.res2Unit = f.resUnit;
    // The ratio is known once the test has run its full time.
    f.ratio = i == steps - 1 ? (mode == Enc::PI ? 2.45f : 1.42f) : 0.0f;
    f.testing = i == steps - 1 ? 0 : 1;
    return f;
}

Fields compStep(int i)
{
    Fields f;
    f.mode = Enc::COMP;
    insulation(f, i, 500);
    f.testing = 1;
    f.compLimit = 200;
    f.compLimitUnit = MegaOhm;
    // The reading climbs past the limit: no result, then fail, then pass.
    if (i < 3)
        f.compResult = 0;
    else
        f.compResult = (f.resUnit == MegaOhm && f.res < 200.0f) ? 1 : 2;
    return f;
}

Fields capStep(int i)
{
    Fields f;
    f.mode = Enc::CAP;
    f.vset = 500;
    f.testing = i > 0 && i < 7 ? 1 : 0;
    f.cap = 0.047f + 0.01f * float(i);
    if (i == 0)
        f.capCode = 1; // nothing connected yet: below range
    else if (i == 5)
        f.capCode = 2;
    return f;
}

Fields voltStep(int i)
{
    Fields f;
    f.mode = Enc::VOLT;
    if (i < 4) {
        f.coupling = 0;
        f.volt = qint16(228 + i);
    } else if (i < 8) {
        f.coupling = 1;
        f.negative = i % 2 ? 1 : 0;
        f.volt = qint16(12 * i);
    } else if (i == 8) {
        f.coupling = 1;
        f.volt = 700;
        f.voltCode = 2; // overload
    } else {
        f.coupling = 0;
        f.volt = 0;
        f.voltCode = 1; // below range
    }
    return f;
}

Fields resStep(int i)
{
    Fields f;
    f.mode = Enc::RES;
    f.testing = i > 0 ? 1 : 0;
    f.res = 0.35f + 0.5f * float(i);
    if (i == 0)
        f.resCode = 2; // open leads
    else if (i == 7)
        f.resCode = 1;
    else if (i == 8)
        f.resCode = 3;
    else if (i == 9)
        f.overRange = 1;
    return f;
}

} // namespace

VirtualTester::VirtualTester(std::shared_ptr<VirtualMeterCable> cable, QObject *parent)
    : QObject(parent), m_cable(std::move(cable)), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &VirtualTester::step);
}

VirtualTester::~VirtualTester() = default;

void VirtualTester::start(int periodMs)
{
    m_timer->start(std::max(1, periodMs));
}

void VirtualTester::stop()
{
    m_timer->stop();
}

bool VirtualTester::isRunning() const
{
    return m_timer->isActive();
}

int VirtualTester::scenarioLength()
{
    int n = 0;
    for (const Phase &p : Phases)
        n += p.steps;
    return n;
}

Fields VirtualTester::liveFields(int n)
{
    int i = n % scenarioLength();
    if (i < 0)
        i += scenarioLength();
    int phase = 0;
    while (phase < PhaseCount - 1 && i >= Phases[phase].steps) {
        i -= Phases[phase].steps;
        ++phase;
    }
    switch (phase) {
    case 0:
        return irStep(i);
    case 1:
        return idleIrStep(i);
    case 2:
        return timeStep(i);
    case 3:
    case 4:
        return ratioStep(Phases[phase].mode, i, Phases[phase].steps);
    case 5:
        return compStep(i);
    case 6:
        return capStep(i);
    case 7:
        return voltStep(i);
    default:
        return resStep(i);
    }
}

QList<Fields> VirtualTester::storedFields()
{
    QList<Fields> out;
    out << irStep(20) << irStep(23) << timeStep(15) << ratioStep(Enc::PI, 19, 20)
        << ratioStep(Enc::DAR, 15, 16) << compStep(11) << capStep(3) << voltStep(5) << resStep(4);
    for (Fields &f : out)
        f.testing = 0;
    out.last().testing = 1; // the stored low-resistance layout keeps its flag
    return out;
}

void VirtualTester::step()
{
    send(Enc::liveFrame(liveFields(m_step)));
    ++m_step;
}

void VirtualTester::sendStoredDump()
{
    QByteArray all;
    const QList<Fields> readings = storedFields();
    for (const Fields &f : readings) {
        const QByteArray frame = Enc::storedFrame(f);
        emit frameSent(frame);
        all += frame;
    }
    if (m_cable)
        m_cable->sendSerial(all);
}

void VirtualTester::send(const QByteArray &frame)
{
    if (m_cable)
        m_cable->sendSerial(frame);
    emit frameSent(frame);
}
