#include "appstartup.h"

#include "proglobal.h"
#include "translationfiles.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#ifndef IRMETER_MODEL_CODE
#define IRMETER_MODEL_CODE "NORWEN2"
#endif

const QString g_modelCode = QStringLiteral(IRMETER_MODEL_CODE);
const QString g_appVersion = QStringLiteral("1.00");
const char *const kOptionsFile = "options.ini";

QString getLanguage()
{
    QSettings settings(QString::fromLatin1(kOptionsFile), QSettings::IniFormat);
    return settings.value(QStringLiteral("Language")).toString();
}

void initIdentity(QCoreApplication &app)
{
    ProGlobal *identity = ProGlobal::instance();
    identity->setAppName(g_modelCode);
    identity->setAppTitle(g_modelCode);
    identity->setAppVersion(g_appVersion);

    QCoreApplication::setOrganizationName(QStringLiteral("Brasko"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("brasko.com"));
    app.setObjectName(identity->appName());
}

bool applyLanguage(const QString &language, QTranslator &appTranslator, QTranslator &qtTranslator)
{
    if (language != QLatin1String("zh_CN")) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::AnyCountry));
        return false;
    }
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // The working directory first, then beside the executable and the
    // installed locations, so the translations are found however the program
    // was started.
    if (!loadFirstTranslation(appTranslator, appTranslationCandidates()).isEmpty())
        QCoreApplication::installTranslator(&appTranslator);
    if (!loadFirstTranslation(qtTranslator, qtTranslationCandidates()).isEmpty())
        QCoreApplication::installTranslator(&qtTranslator);
    return true;
}
