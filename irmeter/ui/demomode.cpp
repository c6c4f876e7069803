#include "demomode.h"

#include "templatewindow.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"
#include "virtualtester.h"

#include <QDebug>
#include <QTabWidget>
#include <QTimer>

#include <cstring>

namespace {
// One live reading every 400 ms: readable, and the plot fills in a minute.
constexpr int LiveStepMs = 400;
constexpr int StoredDumpAfterMs = 4000;
constexpr int BackToLiveAfterMs = 9000;
} // namespace

bool DemoMode::requested(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            return true;
    }
    return false;
}

DemoMode::DemoMode(TemplateWindow *window) : QObject(window), m_window(window)
{
    m_cable = VirtualMeterCable::plugIn(QStringLiteral("DEMO"));
    m_tester = new VirtualTester(m_cable, this);
}

DemoMode::~DemoMode()
{
    m_tester->stop();
    if (m_cable)
        VirtualHidBus::instance().detach(m_cable->path());
}

void DemoMode::start()
{
    const QString path = QString::fromUtf8(m_cable->path());
    if (!m_window->openDevice(path)) {
        qWarning() << "demo: the virtual tester could not be opened";
        return;
    }
    m_tester->start(LiveStepMs);
    QTimer::singleShot(StoredDumpAfterMs, m_tester, &VirtualTester::sendStoredDump);
    QTimer::singleShot(BackToLiveAfterMs, m_window, [this] {
        if (auto *pages = m_window->findChild<QTabWidget *>(QStringLiteral("tabWgTV")))
            pages->setCurrentIndex(0);
    });
}
