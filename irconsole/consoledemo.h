#ifndef CONSOLEDEMO_H
#define CONSOLEDEMO_H

// The demonstration rig: a virtual earlier tester on a virtual "USB to
// Serial" cable, plugged into the virtual HID bus so the program reaches it
// through its ordinary HID path.

#include <QObject>

#include <memory>

class VirtualConsoleCable;
class VirtualConsoleTester;

class ConsoleDemo : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleDemo(QObject *parent = nullptr);
    ~ConsoleDemo() override;

    void start();

private:
    std::shared_ptr<VirtualConsoleCable> m_cable;
    VirtualConsoleTester *m_tester = nullptr;
};

#endif // CONSOLEDEMO_H
