#ifndef VIRTUALTESTER_H
#define VIRTUALTESTER_H

#include "meterframeencoder.h"

#include <QByteArray>
#include <QObject>

#include <memory>

class QTimer;
class VirtualMeterCable;

// A tester in use, played into a virtual cable: each step sends one live
// frame of a fixed scenario that walks through every measurement mode. An
// insulation test starts, runs with its time counting and ends; timed, PI and
// DAR tests count towards their set times; a limit comparison passes and
// fails; capacitance, voltage and low-resistance readings include their LO,
// OL and over-range states. sendStoredDump() sends the readings of the
// tester's memory, stored frames of every mode.
//
// Drive it with start()/stop() (a timer in the caller's thread) or by calling
// step() directly, as tests do.
class VirtualTester : public QObject
{
    Q_OBJECT
public:
    explicit VirtualTester(std::shared_ptr<VirtualMeterCable> cable, QObject *parent = nullptr);
    ~VirtualTester() override;

    // Steps every periodMs milliseconds (at least 1) until stop().
    void start(int periodMs);
    void stop();
    bool isRunning() const;

    // Sends the live frame of the current scenario step and advances.
    void step();
    // Sends one stored frame per mode, plus a second IR reading.
    void sendStoredDump();

    // Steps sent so far; the scenario repeats after scenarioLength() steps.
    int stepCount() const { return m_step; }
    static int scenarioLength();

    // The fields of scenario step n (0 based, taken modulo the length) and
    // the stored readings of the dump; usable without a cable.
    static MeterFrameEncoder::Fields liveFields(int n);
    static QList<MeterFrameEncoder::Fields> storedFields();

signals:
    // Every frame written to the cable, live or stored.
    void frameSent(const QByteArray &frame);

private:
    void send(const QByteArray &frame);

    std::shared_ptr<VirtualMeterCable> m_cable;
    QTimer *m_timer;
    int m_step = 0;
};

#endif // VIRTUALTESTER_H
