#ifndef VIRTUALCONSOLETESTER_H
#define VIRTUALCONSOLETESTER_H

// A virtual earlier tester: it sends its display state over a virtual console
// cable a few times a second while the cable's serial line is configured.
// It walks through insulation tests at 500 V, 1000 V, 2500 V and 5000 V with
// a running timer and a slowly drifting reading, a COMP result, and the
// DC and AC voltage ranges, the way a user stepping the range switch would.

#include "consoledisplayencoder.h"

#include <QObject>
#include <QTimer>

#include <memory>

class VirtualConsoleCable;

class VirtualConsoleTester : public QObject
{
    Q_OBJECT
public:
    explicit VirtualConsoleTester(std::shared_ptr<VirtualConsoleCable> cable,
                                  QObject *parent = nullptr);

    void start(int frameIntervalMs = 700);
    void stop();

    // The display state of the given step (frames since start).
    static ConsoleDisplayState stateAt(int step);
    int step() const { return m_step; }

private:
    void sendFrame();

    std::shared_ptr<VirtualConsoleCable> m_cable;
    QTimer m_timer;
    int m_step = 0;
};

#endif // VIRTUALCONSOLETESTER_H
