#ifndef PROGLOBAL_H
#define PROGLOBAL_H

#include <QObject>
#include <QString>

// The application's identity (model name, window title text, version), filled
// once at start-up and read by the main window for its title.
class ProGlobal : public QObject
{
    Q_OBJECT
public:
    // The one instance, created on first use; it lives until the process ends.
    static ProGlobal *instance();

    QString appName() const { return m_appName; }
    void setAppName(const QString &name) { m_appName = name; }
    QString appTitle() const { return m_appTitle; }
    void setAppTitle(const QString &title) { m_appTitle = title; }
    QString appVersion() const { return m_appVersion; }
    void setAppVersion(const QString &version) { m_appVersion = version; }

private:
    ProGlobal() = default;

    QString m_appName;
    QString m_appTitle;
    QString m_appVersion;
};

#endif // PROGLOBAL_H
