#include "virtualconsoletester.h"

#include "virtualconsolecable.h"

#include <cmath>

namespace {

constexpr int kStepsPerRange = 40;

QString fourDigits(double value, int decimals, bool points[3])
{
    // value shown with the given number of decimals in four digits
    const QString digits = QString::number(value, 'f', decimals).remove(QLatin1Char('.'));
    QString four = digits.right(4).rightJustified(4, QLatin1Char('0'));
    for (int i = 0; i < 3; ++i)
        points[i] = decimals > 0 && i == 3 - decimals;
    return four;
}

} // namespace

VirtualConsoleTester::VirtualConsoleTester(std::shared_ptr<VirtualConsoleCable> cable,
                                           QObject *parent)
    : QObject(parent), m_cable(std::move(cable))
{
    connect(&m_timer, &QTimer::timeout, this, &VirtualConsoleTester::sendFrame);
}

void VirtualConsoleTester::start(int frameIntervalMs)
{
    m_timer.start(frameIntervalMs);
}

void VirtualConsoleTester::stop()
{
    m_timer.stop();
}

ConsoleDisplayState VirtualConsoleTester::stateAt(int step)
{
    ConsoleDisplayState s;
    const int range = (step / kStepsPerRange) % 6;
    const int t = step % kStepsPerRange;
    s.battery = true;
    s.batteryLevel = 3;
    s.memoryOne = false;
    s.memoryDigit = QLatin1Char('0' + (step / kStepsPerRange) % 10);
    s.autoOff = true;

    if (range <= 3) {
        static const char *const volts[] = {" 500", "1000", "2500", "5000"};
        s.testVoltage = QLatin1String(volts[range]);
        s.voltSign = true;
        s.danger = true;
        // Timed test: minutes and seconds run with the frames.
        const int seconds = t / 2;
        s.timer = QStringLiteral("%1%2")
                      .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
        s.colon = true;
        s.powerSign = true;
        s.time1 = true;
        // Insulation resistance rising while the test runs.
        const double megaOhm = 18.0 + 1.2 * std::log1p(t) + 0.05 * (step % 7);
        const double giga = megaOhm * (range + 1) / 1000.0 * 40.0;
        if (giga >= 1.0) {
            s.mainDigits = fourDigits(giga, 2, s.points);
            s.units = ConsoleDisplayState::GigaOhm;
        } else {
            s.mainDigits = fourDigits(megaOhm, 2, s.points);
            s.units = ConsoleDisplayState::MegaOhm;
        }
        s.bars = qBound(0, 12 + range * 3 + t / 6, 31);
        if (range == 3) {
            s.comp = true;
            s.good = true;
        }
    } else if (range == 4) {
        s.dc = true;
        s.mainDigits = fourDigits(230.0 + (step % 5) * 0.3, 1, s.points);
        s.units = ConsoleDisplayState::Volt;
    } else {
        s.ac = true;
        s.mainDigits = fourDigits(229.5 + (step % 3) * 0.4, 1, s.points);
        s.units = ConsoleDisplayState::Volt;
    }
    return s;
}

void VirtualConsoleTester::sendFrame()
{
    // A tester on a cable whose serial line is not set up sends nothing
    // the PC could read.
    if (!m_cable || m_cable->configuredBitRate() != 2400)
        return;
    m_cable->sendSerial(ConsoleDisplayEncoder::encodeFrame(stateAt(m_step)), 7, true);
    ++m_step;
}
