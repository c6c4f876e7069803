// The settings file and the options dialog.
#include "appoptions.h"
#include "dlgoption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The dialog's widgets, looked up by their object names.
struct Form
{
    explicit Form(const QWidget &dlg)
        : cbbLanguage(dlg.findChild<QComboBox *>("cbbLanguage")),
          spinSamplePoints(dlg.findChild<QSpinBox *>("spinSamplePoints")),
          cbInfinite(dlg.findChild<QCheckBox *>("cbInfinite")),
          spinSampleInterval(dlg.findChild<QSpinBox *>("spinSampleInterval")),
          cbRecordAtTesttimg(dlg.findChild<QCheckBox *>("cbRecordAtTesttimg")),
          btnOK(dlg.findChild<QPushButton *>("btnOK"))
    {}
    const Form *operator->() const { return this; }
    QComboBox *cbbLanguage;
    QSpinBox *spinSamplePoints;
    QCheckBox *cbInfinite;
    QSpinBox *spinSampleInterval;
    QCheckBox *cbRecordAtTesttimg;
    QPushButton *btnOK;
};
} // namespace

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void missingFileGivesDefaults();
    void roundTrip();
    void damagedValuesFallBack_data();
    void damagedValuesFallBack();
    void unwritableFileReportsFailure();

    void dialogForm();
    void dialogTabOrder();
    void infiniteTogglesPointsSpinBox();
    void okAcceptsEscapeRejects();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldCwd;
};

void TestOptions::init()
{
    m_oldCwd = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestOptions::cleanup()
{
    QDir::setCurrent(m_oldCwd);
    delete m_dir;
    m_dir = nullptr;
}

void TestOptions::missingFileGivesDefaults()
{
    QVERIFY(!QFile::exists("options.ini"));
    const AppOptions o = AppOptions::load();
    QVERIFY(o.geometry.isEmpty());
    QCOMPARE(o.language, QString("0"));
    QCOMPARE(o.samplePoints, -1);
    QCOMPARE(o.sampleInterval, 0);
    QCOMPARE(o.recordAtTesttime, false);
    // Loading never creates the file.
    QVERIFY(!QFile::exists("options.ini"));

    // Saving the defaults creates it in the working directory.
    QVERIFY(o.save());
    QVERIFY(QFile::exists(QDir(m_dir->path()).filePath("options.ini")));
    QSettings s("options.ini", QSettings::IniFormat);
    QCOMPARE(s.value("Language").toString(), QString("0"));
    QCOMPARE(s.value("SamplePoints").toInt(), -1);
    QCOMPARE(s.value("SampleInterval").toInt(), 0);
    QCOMPARE(s.value("RecordAtTesttime").toBool(), false);
}

void TestOptions::roundTrip()
{
    AppOptions o;
    o.geometry = QByteArray("\x01\xd9\xd0\xcb\x00\x03", 6);
    o.language = "zh_CN";
    o.samplePoints = 50;
    o.sampleInterval = 1000;
    o.recordAtTesttime = true;
    QVERIFY(o.save());

    const AppOptions r = AppOptions::load();
    QCOMPARE(r.geometry, o.geometry);
    QCOMPARE(r.language, QString("zh_CN"));
    QCOMPARE(r.samplePoints, 50);
    QCOMPARE(r.sampleInterval, 1000);
    QCOMPARE(r.recordAtTesttime, true);

    // The start-up language lookup reads the same key of the same file.
    QCOMPARE(QSettings("options.ini", QSettings::IniFormat).value("Language").toString(),
             QString("zh_CN"));
}

void TestOptions::damagedValuesFallBack_data()
{
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("interval");
    QTest::addColumn<int>("expectPoints");
    QTest::addColumn<int>("expectInterval");

    QTest::newRow("valid") << "10"
                           << "500" << 10 << 500;
    QTest::newRow("no limit") << "-1"
                              << "0" << -1 << 0;
    // A limit of 0 or a word would silently stop all recording.
    QTest::newRow("points word") << "many"
                                 << "0" << -1 << 0;
    QTest::newRow("points zero") << "0"
                                 << "0" << -1 << 0;
    QTest::newRow("points negative") << "-7"
                                     << "0" << -1 << 0;
    QTest::newRow("points too big") << "99999999999"
                                    << "0" << -1 << 0;
    QTest::newRow("interval word") << "5"
                                   << "soon" << 5 << 0;
    QTest::newRow("interval negative") << "5"
                                       << "-100" << 5 << 0;
    QTest::newRow("interval too big") << "5"
                                      << "4294967296" << 5 << 0;
}

void TestOptions::damagedValuesFallBack()
{
    QFETCH(QString, points);
    QFETCH(QString, interval);
    QFETCH(int, expectPoints);
    QFETCH(int, expectInterval);

    QFile f("options.ini");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QString("[General]\nLanguage=en_US\nSamplePoints=%1\nSampleInterval=%2\n"
                    "RecordAtTesttime=true\n")
                .arg(points, interval)
                .toUtf8());
    f.close();

    const AppOptions o = AppOptions::load();
    QCOMPARE(o.samplePoints, expectPoints);
    QCOMPARE(o.sampleInterval, expectInterval);
    // The sound keys of the file are kept.
    QCOMPARE(o.language, QString("en_US"));
    QCOMPARE(o.recordAtTesttime, true);
}

void TestOptions::unwritableFileReportsFailure()
{
    // A directory in the file's place cannot be written, even by root.
    QVERIFY(QDir().mkdir("options.ini"));
    AppOptions o;
    o.samplePoints = 5;
    QVERIFY(!o.save());
    // Reading it gives the defaults.
    QCOMPARE(AppOptions::load().samplePoints, -1);
}

void TestOptions::dialogForm()
{
    DlgOption dlg;
    QCOMPARE(dlg.objectName(), QString("DlgOption"));
    QCOMPARE(dlg.size(), QSize(300, 150));
    QCOMPARE(dlg.windowTitle(), QString("Dialog"));

    auto *grid = dlg.findChild<QGridLayout *>("gridLayout");
    QVERIFY(grid);
    QCOMPARE(dlg.layout(), grid);

    struct Cell
    {
        const char *name;
        const char *className;
        int row, column, rowSpan, columnSpan;
        const char *text;
    };
    const Cell cells[] = {
        {"label_3", "QLabel", 0, 0, 1, 1, "Language"},
        {"cbbLanguage", "QComboBox", 0, 1, 1, 1, nullptr},
        {"label", "QLabel", 1, 0, 1, 1, "Sample Points"},
        {"spinSamplePoints", "QSpinBox", 1, 1, 1, 1, nullptr},
        {"cbInfinite", "QCheckBox", 1, 2, 1, 1, "Infinite"},
        {"label_2", "QLabel", 2, 0, 1, 1, "Sample Interval"},
        {"spinSampleInterval", "QSpinBox", 2, 1, 1, 1, nullptr},
        {"cbRecordAtTesttimg", "QCheckBox", 3, 0, 1, 2, "Record data only at test time"},
        {"btnOK", "QPushButton", 4, 2, 1, 1, "OK"},
    };
    for (const Cell &c : cells) {
        QWidget *w = dlg.findChild<QWidget *>(c.name);
        QVERIFY2(w, c.name);
        QCOMPARE(QString(w->metaObject()->className()), QString(c.className));
        const int index = grid->indexOf(w);
        QVERIFY2(index >= 0, c.name);
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, c.row);
        QCOMPARE(column, c.column);
        QCOMPARE(rowSpan, c.rowSpan);
        QCOMPARE(columnSpan, c.columnSpan);
        if (c.text)
            QCOMPARE(w->property("text").toString(), QString(c.text));
    }

    const Form f(dlg);
    QCOMPARE(f->spinSamplePoints->minimum(), 1);
    QCOMPARE(f->spinSamplePoints->maximum(), 999999999);
    QCOMPARE(f->spinSampleInterval->minimum(), 0);
    QCOMPARE(f->spinSampleInterval->maximum(), 999999999);
    QCOMPARE(f->spinSampleInterval->suffix(), QString("mS"));
    QCOMPARE(f->spinSampleInterval->prefix(), QString());
    QCOMPARE(f->cbbLanguage->count(), 0);
    QVERIFY(!f->cbInfinite->isChecked());
    QVERIFY(f->spinSamplePoints->isEnabled());
}

void TestOptions::dialogTabOrder()
{
    DlgOption dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const Form f(dlg);
    const QList<QWidget *> order = {f->cbbLanguage, f->spinSamplePoints, f->cbInfinite,
                                    f->spinSampleInterval, f->btnOK};
    // Walking the focus chain from each widget, the next of the five that
    // comes up is the one after it in the tab order.
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (next && next != order[i] && !order.contains(next))
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
}

void TestOptions::infiniteTogglesPointsSpinBox()
{
    DlgOption dlg;
    const Form f(dlg);
    f->spinSamplePoints->setValue(42);
    f->cbInfinite->setChecked(true);
    QVERIFY(!f->spinSamplePoints->isEnabled());
    f->cbInfinite->setChecked(false);
    QVERIFY(f->spinSamplePoints->isEnabled());
    QCOMPARE(f->spinSamplePoints->value(), 42);

    // Clicking it as a user does works the same way.
    QTest::mouseClick(f->cbInfinite, Qt::LeftButton, {}, QPoint(5, f->cbInfinite->height() / 2));
    QVERIFY(f->cbInfinite->isChecked());
    QVERIFY(!f->spinSamplePoints->isEnabled());
}

void TestOptions::okAcceptsEscapeRejects()
{
    {
        DlgOption dlg;
        QSignalSpy accepted(&dlg, &QDialog::accepted);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(Form(dlg)->btnOK, Qt::LeftButton);
        QCOMPARE(accepted.count(), 1);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
    {
        DlgOption dlg;
        QSignalSpy rejected(&dlg, &QDialog::rejected);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
