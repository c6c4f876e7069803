#ifndef CONSOLETESTFORM_H
#define CONSOLETESTFORM_H

// The main form with its message boxes and program end answered by the test.

#include "lcdpanel.h"
#include "tfrmtest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ConsoleTestForm : public TFrmTest
{
public:
    ConsoleTestForm() { setFrameHoldMs(0); }

    QStringList messages;
    int quitRequests = 0;

    bool lit(const char *name) const { return Panel4->state().isLit(QLatin1String(name)); }
    QString caption(const char *name) const { return Panel4->state().caption(QLatin1String(name)); }

protected:
    void showInformation(const QString &text) override { messages << text; }
    void quitApplication() override { ++quitRequests; }
};

// The frame text as the frame assembly hands it on: 20 data bytes given as
// hexadecimal text, with CR LF appended.
inline QString frameText(const char *dataHex)
{
    const QByteArray data = QByteArray::fromHex(dataHex);
    if (data.size() != 20)
        qFatal("frameText: %d data bytes instead of 20", data.size());
    return QString::fromLatin1((data + "\r\n").toHex().toUpper());
}

#endif // CONSOLETESTFORM_H
