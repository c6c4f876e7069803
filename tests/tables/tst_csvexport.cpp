#include "datamodel.h"
#include "modelset.h"
#include "utils.h"

#include <QFrame>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

using RecordPtr = QSharedPointer<DMMData>;

namespace {

const QString Ohm = QString(QChar(0x03A9));
const QByteArray IrHeader = "No.,Date/Time,Mode,RES,LC,V-Set,V-Out,DAR,PI,Time\n";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

ValueBox box(const QString &text, const QString &unit)
{
    ValueBox b;
    b.text = text;
    b.value = text.toDouble();
    b.unit = unit;
    return b;
}

ValueBoxInt ibox(int value)
{
    ValueBoxInt b;
    b.value = value;
    b.text = QString::number(value);
    b.unit = QStringLiteral("V");
    return b;
}

RecordPtr irRecord(const QString &res, const QString &resUnit)
{
    QSharedPointer<DMMDataIR> r(new DMMDataIR);
    r->dateTime = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
    r->res = box(res, resUnit);
    r->current = box(QStringLiteral("1.50"), QStringLiteral("uA"));
    r->vset = ibox(500);
    r->vout = ibox(498);
    r->dar = box(QStringLiteral("2.35"), QString());
    r->pi = box(QStringLiteral("1.20"), QString());
    r->testTime = 0x0A05;
    return r;
}

RecordPtr compWithoutResult()
{
    QSharedPointer<DMMDataCOMP> r(new DMMDataCOMP);
    r->dateTime = QDateTime(QDate(2024, 3, 5), QTime(8, 0, 0));
    r->compLimit.value = 100;
    r->compLimit.text = QStringLiteral("100");
    r->compLimit.unit = QStringLiteral("M") + Ohm;
    r->res = box(QStringLiteral("250"), QStringLiteral("M") + Ohm);
    r->current = box(QStringLiteral("0.50"), QStringLiteral("nA"));
    r->vset = ibox(1000);
    r->vout = ibox(1003);
    r->compResult = 0;
    return r;
}

// A table of fixed texts, to show what the writer does with texts the
// measurement models never produce.
class FixedTable : public QAbstractTableModel
{
public:
    FixedTable(QStringList header, QList<QStringList> rows, int rowCount = -1)
        : m_header(header), m_rows(rows), m_rowCount(rowCount < 0 ? rows.size() : rowCount)
    {}
    int rowCount(const QModelIndex & = QModelIndex()) const override { return m_rowCount; }
    int columnCount(const QModelIndex & = QModelIndex()) const override { return m_header.size(); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || index.row() >= m_rows.size())
            return QVariant();
        const QStringList &row = m_rows.at(index.row());
        if (index.column() >= row.size() || row.at(index.column()).isNull())
            return QVariant();
        return row.at(index.column());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return QVariant();
        return m_header.value(section);
    }

private:
    QStringList m_header;
    QList<QStringList> m_rows;
    int m_rowCount;
};

// Carries its own class name, so an exact-name search must skip it.
class ToolButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;
};

// No meta-object of its own: it reports "QPushButton".
class PlainButton : public QPushButton
{
public:
    using QPushButton::QPushButton;
};

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyTableWritesHeaderOnly();
    void rowsInOrderWithUtf8Units();
    void unitOutsideLocalEncodingIsReplaced();
    void compWithoutResultLeavesEmptyField();
    void fixedTables_data();
    void fixedTables();
    void overwritesLongerFile();
    void unopenableTargetFails_data();
    void unopenableTargetFails();
    void writeFailureAfterOpenIsReported();
    void childSearch_data();
    void childSearch();
    void childSearchWithoutChildren();

private:
    QTemporaryDir m_dir;
    QTextCodec *m_savedCodec = nullptr;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void TestCsvExport::init()
{
    QVERIFY(m_dir.isValid());
    m_savedCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestCsvExport::cleanup()
{
    QTextCodec::setCodecForLocale(m_savedCodec);
}

void TestCsvExport::emptyTableWritesHeaderOnly()
{
    ModelSet set;
    const QString file = path("empty.csv");
    QVERIFY(Utils::exportToCSV(set.liveModel(DMMData::dmIR), file));
    QCOMPARE(readAll(file), IrHeader);
}

void TestCsvExport::rowsInOrderWithUtf8Units()
{
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmIR);
    model->addData(irRecord(QStringLiteral("1.23"), QStringLiteral("G") + Ohm));
    model->addData(irRecord(QStringLiteral("  0"), QStringLiteral("M") + Ohm));
    const QString file = path("ir.csv");
    QVERIFY(Utils::exportToCSV(model, file));
    QCOMPARE(readAll(file),
             IrHeader +
                 "1,2024-03-05 14:07:09,IR,1.23 G\xCE\xA9,1.50 uA,500 V,498 V,2.35 ,1.20 ,10:05\n"
                 "2,2024-03-05 14:07:09,IR,  0 M\xCE\xA9,1.50 uA,500 V,498 V,2.35 ,1.20 ,10:05\n");
}

void TestCsvExport::unitOutsideLocalEncodingIsReplaced()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    ModelSet set;
    DataModel *model = set.storedModel(DMMData::dmRES);
    QSharedPointer<DMMDataRES> r(new DMMDataRES);
    r->res = box(QStringLiteral("19.9"), Ohm);
    r->overRange = true;
    model->addData(r);
    const QString file = path("latin1.csv");
    QVERIFY(Utils::exportToCSV(model, file));
    QCOMPARE(readAll(file), QByteArray("No.,Date/Time,Mode,RES\n1,-,RES,>19.9 ?\n"));
}

void TestCsvExport::compWithoutResultLeavesEmptyField()
{
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmCOMP);
    model->addData(compWithoutResult());
    const QString file = path("comp.csv");
    QVERIFY(Utils::exportToCSV(model, file));
    QCOMPARE(readAll(file),
             QByteArray("No.,Date/Time,Mode,RES-COMP,RES,Result,LC,V-Set,V-Out\n"
                        "1,2024-03-05 08:00:00,COMP,100 M\xCE\xA9,250 M\xCE\xA9,,0.50 nA,1000 V,"
                        "1003 V\n"));
}

void TestCsvExport::fixedTables_data()
{
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("comma is not quoted")
        << QStringList{"A", "B"} << QList<QStringList>{{"1,5", "x\"y"}} << -1
        << QByteArray("A,B\n1,5,x\"y\n");
    QTest::newRow("invalid cell is an empty field")
        << QStringList{"A", "B", "C"} << QList<QStringList>{{"1", QString(), "3"}, {}} << -1
        << QByteArray("A,B,C\n1,,3\n,,\n");
    QTest::newRow("no columns gives empty lines")
        << QStringList{} << QList<QStringList>{} << 2 << QByteArray("\n\n\n");
    QTest::newRow("single column has no separator")
        << QStringList{"Only"} << QList<QStringList>{{"a"}, {"b"}} << -1
        << QByteArray("Only\na\nb\n");
}

void TestCsvExport::fixedTables()
{
    QFETCH(QStringList, header);
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, rowCount);
    QFETCH(QByteArray, expected);

    FixedTable table(header, rows, rowCount);
    const QString file = path("fixed.csv");
    QVERIFY(Utils::exportToCSV(&table, file));
    QCOMPARE(readAll(file), expected);
}

void TestCsvExport::overwritesLongerFile()
{
    const QString file = path("old.csv");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    ModelSet set;
    QVERIFY(Utils::exportToCSV(set.storedModel(DMMData::dmVOLT), file));
    QCOMPARE(readAll(file), QByteArray("No.,Date/Time,Mode,VOLT,ACDC\n"));
}

void TestCsvExport::unopenableTargetFails_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing directory") << QStringLiteral("no/such/dir/out.csv");
    QTest::newRow("directory itself") << QString();
}

void TestCsvExport::unopenableTargetFails()
{
    QFETCH(QString, name);
    const QString file = name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    ModelSet set;
    QVERIFY(!Utils::exportToCSV(set.liveModel(DMMData::dmIR), file));
    if (!name.isEmpty())
        QVERIFY(!QFileInfo::exists(file));
    QVERIFY(!Utils::exportToCSV(nullptr, path("nomodel.csv")));
    QVERIFY(!QFileInfo::exists(path("nomodel.csv")));
}

void TestCsvExport::writeFailureAfterOpenIsReported()
{
    // /dev/full opens fine but refuses every byte written to it.
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full on this system");
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmIR);
    QVERIFY(!Utils::exportToCSV(model, QStringLiteral("/dev/full")));
    for (int i = 0; i < 2000; ++i) // more than the stream buffers
        model->addData(irRecord(QStringLiteral("1.23"), QStringLiteral("G") + Ohm));
    QVERIFY(!Utils::exportToCSV(model, QStringLiteral("/dev/full")));
}

void TestCsvExport::childSearch_data()
{
    QTest::addColumn<QStringList>("classNames");
    QTest::addColumn<bool>("recursive");
    QTest::addColumn<QStringList>("expected");

    const QStringList button{"QPushButton"};
    QTest::newRow("exact name, direct") << button << false << QStringList{"b1", "p1", "b3"};
    QTest::newRow("exact name, depth first")
        << button << true << QStringList{"b1", "b1a", "b2", "p1", "b3"};
    QTest::newRow("all children") << QStringList{} << false
                                  << QStringList{"b1", "frame", "t2", "p1", "b3"};
    QTest::newRow("all descendants")
        << QStringList{} << true << QStringList{"b1", "b1a", "frame", "b2", "t1", "t2", "p1", "b3"};
    QTest::newRow("several names")
        << QStringList{"ToolButton", "QFrame"} << true << QStringList{"frame", "t1", "t2"};
    QTest::newRow("case sensitive") << QStringList{"qpushbutton"} << true << QStringList{};
    QTest::newRow("base class name does not match")
        << QStringList{"QAbstractButton", "QWidget"} << true << QStringList{};
}

void TestCsvExport::childSearch()
{
    QFETCH(QStringList, classNames);
    QFETCH(bool, recursive);
    QFETCH(QStringList, expected);

    // root
    //  +- b1 QPushButton          +- b1a QPushButton
    //  +- frame QFrame            +- b2 QPushButton, t1 ToolButton
    //  +- t2 ToolButton
    //  +- p1 PlainButton (reports QPushButton)
    //  +- b3 QPushButton
    QWidget root;
    auto named = [](QObject *o, const char *name) { o->setObjectName(name); };
    auto *b1 = new QPushButton(&root);
    named(b1, "b1");
    named(new QPushButton(b1), "b1a");
    auto *frame = new QFrame(&root);
    named(frame, "frame");
    named(new QPushButton(frame), "b2");
    named(new ToolButton(frame), "t1");
    named(new ToolButton(&root), "t2");
    named(new PlainButton(&root), "p1");
    named(new QPushButton(&root), "b3");

    QStringList found;
    const QList<QObject *> result = Utils::getChildObject(&root, classNames, recursive);
    for (QObject *o : result)
        found << o->objectName();
    QCOMPARE(found, expected);
}

void TestCsvExport::childSearchWithoutChildren()
{
    QObject leaf;
    QVERIFY(Utils::getChildObject(&leaf, {}, true).isEmpty());
    QVERIFY(Utils::getChildObject(nullptr, {"QObject"}, true).isEmpty());
}

QTEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
