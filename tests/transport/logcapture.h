#ifndef LOGCAPTURE_H
#define LOGCAPTURE_H

// Collects the debug log of every thread while a test runs.

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

class LogCapture
{
public:
    LogCapture() { s_previous = qInstallMessageHandler(&LogCapture::handler); }
    ~LogCapture() { qInstallMessageHandler(s_previous); }

    static void clear()
    {
        QMutexLocker lock(&mutex());
        lines().clear();
    }
    static QStringList captured()
    {
        QMutexLocker lock(&mutex());
        return lines();
    }
    static int count(const QString &needle)
    {
        int n = 0;
        for (const QString &line : captured())
            n += line.contains(needle) ? 1 : 0;
        return n;
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &msg)
    {
        {
            QMutexLocker lock(&mutex());
            lines().append(msg);
        }
        if (type != QtDebugMsg && s_previous)
            s_previous(type, context, msg);
    }
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList &lines()
    {
        static QStringList l;
        return l;
    }
    static inline QtMessageHandler s_previous = nullptr;
};

#endif // LOGCAPTURE_H
