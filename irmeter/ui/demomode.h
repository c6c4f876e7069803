#ifndef DEMOMODE_H
#define DEMOMODE_H

#include <QObject>

#include <memory>

class TemplateWindow;
class VirtualMeterCable;
class VirtualTester;

// `irmeter --demo`: a virtual tester on a virtual cable, attached beside any
// real cable and opened at start. It plays live readings of every mode,
// sends its memory once after a few seconds (the Stored page comes forward)
// and then returns to the Live page, so a newcomer sees each part of the
// window at work.
class DemoMode : public QObject
{
    Q_OBJECT
public:
    static bool requested(int argc, char *argv[]);

    explicit DemoMode(TemplateWindow *window);
    ~DemoMode() override;

    void start();

private:
    TemplateWindow *m_window;
    std::shared_ptr<VirtualMeterCable> m_cable;
    VirtualTester *m_tester = nullptr;
};

#endif // DEMOMODE_H
