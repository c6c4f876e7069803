// The Chinese translation: complete, found where the program looks, and
// applied to the window's and the options dialog's texts.
#include "appstartup.h"
#include "dlgoption.h"
#include "translationfiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

class TestTranslation : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyTextTranslated();
    void lookupPrefersWorkingDirectory();
    void chineseStartUpTranslatesBothCatalogues();
    void dialogShowsChinese();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;
    QTranslator m_app;
    QTranslator m_qt;
};

void TestTranslation::init()
{
    m_oldCwd = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestTranslation::cleanup()
{
    QCoreApplication::removeTranslator(&m_app);
    QCoreApplication::removeTranslator(&m_qt);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::AnyCountry));
    QDir::setCurrent(m_oldCwd);
    delete m_dir;
    m_dir = nullptr;
}

void TestTranslation::everyTextTranslated()
{
    QFile ts(QStringLiteral(IRM_ZH_CN_TS));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QSet<QString> contexts;
    QString context;
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
            contexts.insert(context);
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value("type").toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            QVERIFY2(type.isEmpty() && !text.isEmpty(), qPrintable(context + ": " + source));
            ++messages;
        }
    }
    QVERIFY(!xml.hasError());
    QCOMPARE(contexts, (QSet<QString>{"TemplateWindow", "DlgOption"}));
    QVERIFY(messages > 60);
}

void TestTranslation::lookupPrefersWorkingDirectory()
{
    QStringList app = appTranslationCandidates();
    QCOMPARE(app.first(), QString("zh_CN.qm"));
    QCOMPARE(qtTranslationCandidates().first(), QString("./translations/qt_zh_CN.qm"));
    QCOMPARE(qtTranslationCandidates().last(),
             QDir(QLibraryInfo::location(QLibraryInfo::TranslationsPath)).filePath("qt_zh_CN.qm"));

    // Nothing here yet: no candidate loads.
    QTranslator t;
    QCOMPARE(loadFirstTranslation(t, {"zh_CN.qm", "missing/zh_CN.qm"}), QString());
    // A damaged file is passed over for the next candidate.
    QVERIFY(QDir().mkdir("good"));
    QFile bad("zh_CN.qm");
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("not a catalogue");
    bad.close();
    QVERIFY(QFile::copy(QStringLiteral(IRM_ZH_CN_QM), "good/zh_CN.qm"));
    QCOMPARE(loadFirstTranslation(t, {"zh_CN.qm", "good/zh_CN.qm"}), QString("good/zh_CN.qm"));
}

void TestTranslation::chineseStartUpTranslatesBothCatalogues()
{
    QVERIFY(QFile::copy(QStringLiteral(IRM_ZH_CN_QM), "zh_CN.qm"));
    QVERIFY(applyLanguage("zh_CN", m_app, m_qt));
    QCOMPARE(QLocale().language(), QLocale::Chinese);
    QCOMPARE(QCoreApplication::translate("TemplateWindow", "Start"), QString::fromUtf8("开始"));
    QCOMPARE(QCoreApplication::translate("TemplateWindow", "No valid device found."),
             QString::fromUtf8("未找到有效的设备。"));
    QCOMPARE(QCoreApplication::translate("TemplateWindow", "ACDC"), QString::fromUtf8("交流/直流"));
    // The framework's texts come from its installed translations when the
    // working directory has none.
    if (m_qt.isEmpty())
        QSKIP("the framework's Chinese translations are not installed");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("取消"));
}

void TestTranslation::dialogShowsChinese()
{
    QVERIFY(m_app.load(QStringLiteral(IRM_ZH_CN_QM)));
    QCoreApplication::installTranslator(&m_app);
    DlgOption dlg;
    QCOMPARE(dlg.findChild<QLabel *>("label_3")->text(), QString::fromUtf8("语言"));
    QCOMPARE(dlg.findChild<QLabel *>("label")->text(), QString::fromUtf8("采样点数"));
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("对话框"));
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
