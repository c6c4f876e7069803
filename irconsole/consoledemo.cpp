#include "consoledemo.h"

#include "virtualconsolecable.h"
#include "virtualconsoletester.h"
#include "virtualhidbus.h"

ConsoleDemo::ConsoleDemo(QObject *parent) : QObject(parent) {}

ConsoleDemo::~ConsoleDemo()
{
    if (m_tester)
        m_tester->stop();
    if (m_cable)
        VirtualHidBus::instance().detach(m_cable->path());
}

void ConsoleDemo::start()
{
    if (m_cable)
        return;
    m_cable = VirtualConsoleCable::plugIn();
    m_cable->setIdleInterval(4); // a quiet line still yields empty reports
    m_tester = new VirtualConsoleTester(m_cable, this);
    m_tester->start();
}
