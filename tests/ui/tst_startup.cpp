// Start-up: identity singleton, organisation identity, language choice and
// translators.
#include "appstartup.h"
#include "proglobal.h"
#include "templatewindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <vector>

class TstStartup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void identityFromBuild();
    void singletonUnderConcurrentFirstUse();
    void languageFromSettingsFile_data();
    void languageFromSettingsFile();
    void languageRules_data();
    void languageRules();
    void chineseTranslationsLoadedWhenPresent();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCwd;
};

void TstStartup::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TstStartup::cleanup()
{
    QDir::setCurrent(m_oldCwd);
    m_dir.reset();
}

void TstStartup::identityFromBuild()
{
    initIdentity(*QCoreApplication::instance());
    ProGlobal *g = ProGlobal::instance();
    QCOMPARE(g->appName(), QStringLiteral(IRMETER_MODEL_CODE));
    QCOMPARE(g->appTitle(), QStringLiteral(IRMETER_MODEL_CODE));
    QCOMPARE(g->appVersion(), QStringLiteral("1.00"));
    QVERIFY(g->appName() == QLatin1String("NORWEN2") || g->appName() == QLatin1String("NORWEN1"));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Brasko"));
    QVERIFY(!QCoreApplication::organizationDomain().isEmpty());
    QCOMPARE(QCoreApplication::instance()->objectName(), g->appName());
}

void TstStartup::singletonUnderConcurrentFirstUse()
{
    // All threads wait on one gate and then race for the first call.
    QMutex gateMutex;
    QWaitCondition gate;
    bool open = false;
    std::vector<ProGlobal *> seen(8, nullptr);
    std::vector<std::unique_ptr<QThread>> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back(QThread::create([&, i] {
            {
                QMutexLocker lock(&gateMutex);
                while (!open)
                    gate.wait(&gateMutex);
            }
            seen[i] = ProGlobal::instance();
        }));
        threads.back()->start();
    }
    {
        QMutexLocker lock(&gateMutex);
        open = true;
        gate.wakeAll();
    }
    for (auto &t : threads)
        QVERIFY(t->wait(10000));
    for (ProGlobal *p : seen)
        QCOMPARE(p, ProGlobal::instance());
}

void TstStartup::languageFromSettingsFile_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("language");
    QTest::newRow("no file") << QByteArray() << QString();
    QTest::newRow("chinese") << QByteArray("[General]\nLanguage=zh_CN\nSamplePoints=10\n")
                             << QStringLiteral("zh_CN");
    QTest::newRow("english") << QByteArray("[General]\nLanguage=en\n") << QStringLiteral("en");
    QTest::newRow("key absent") << QByteArray("[General]\nSamplePoints=10\n") << QString();
}

void TstStartup::languageFromSettingsFile()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, language);
    if (!ini.isNull()) {
        QFile f(QStringLiteral("options.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    QCOMPARE(getLanguage(), language);
}

void TstStartup::languageRules_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << true;
    QTest::newRow("lower case") << QStringLiteral("zh_cn") << false;
    QTest::newRow("en") << QStringLiteral("en") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("padded") << QStringLiteral(" zh_CN") << false;
}

void TstStartup::languageRules()
{
    QFETCH(QString, language);
    QFETCH(bool, chinese);
    // No translation files here: the locale still follows the language,
    // and the texts stay in English.
    QTranslator appTr, qtTr;
    QCOMPARE(applyLanguage(language, appTr, qtTr), chinese);
    if (chinese) {
        QCOMPARE(QLocale().language(), QLocale::Chinese);
        QCOMPARE(QLocale().country(), QLocale::China);
    } else {
        QCOMPARE(QLocale().language(), QLocale::English);
    }
    QVERIFY(appTr.isEmpty());
    // The framework's own Chinese catalogue may still come from its installed
    // place; for any other language nothing is loaded at all.
    if (!chinese)
        QVERIFY(qtTr.isEmpty());
    QCOMPARE(QCoreApplication::translate("TemplateWindow", "Start"), QStringLiteral("Start"));
    QCoreApplication::removeTranslator(&qtTr);
}

void TstStartup::chineseTranslationsLoadedWhenPresent()
{
    QVERIFY(QFile::copy(QStringLiteral(IRM_TEST_QM), QStringLiteral("zh_CN.qm")));
    QVERIFY(QDir().mkpath(QStringLiteral("translations")));
    QVERIFY(QFile::copy(QStringLiteral(IRM_TEST_QM), QStringLiteral("translations/qt_zh_CN.qm")));

    QTranslator appTr, qtTr;
    QVERIFY(applyLanguage(QStringLiteral("zh_CN"), appTr, qtTr));
    QVERIFY(!appTr.isEmpty());
    QVERIFY(!qtTr.isEmpty());
    const QString start = QString::fromUtf8("\xe5\xbc\x80\xe5\xa7\x8b");
    QCOMPARE(QCoreApplication::translate("TemplateWindow", "Start"), start);

    // The window built afterwards shows the translated texts.
    TemplateWindow w;
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("actionStart"))->text(), start);

    QCoreApplication::removeTranslator(&appTr);
    QCoreApplication::removeTranslator(&qtTr);
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
