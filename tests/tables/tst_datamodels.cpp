#include "datamodel.h"
#include "modelset.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include <cmath>
#include <limits>

using RecordPtr = QSharedPointer<DMMData>;

namespace {

const QString Ohm = QString(QChar(0x03A9));
const QString GOhm = QStringLiteral("G") + Ohm;
const QString MOhm = QStringLiteral("M") + Ohm;
const QString MicroF = QString(QChar(0x03BC)) + QStringLiteral("F");
const QDateTime Stamp(QDate(2024, 3, 5), QTime(14, 7, 9));

ValueBox box(const QString &text, double value, const QString &unit)
{
    ValueBox b;
    b.text = text;
    b.value = value;
    b.unit = unit;
    return b;
}

ValueBoxInt ibox(int value, const QString &unit)
{
    ValueBoxInt b;
    b.value = value;
    b.text = QString::number(value);
    b.unit = unit;
    return b;
}

template <typename T> QSharedPointer<T> make()
{
    QSharedPointer<T> r(new T);
    r->dateTime = Stamp;
    return r;
}

void fillInsulation(DMMDataIR &r)
{
    r.current = box(QStringLiteral("1.50"), 1.5, QStringLiteral("uA"));
    r.vset = ibox(500, QStringLiteral("V"));
    r.vout = ibox(498, QStringLiteral("V"));
}

RecordPtr irRecord(bool overRange, quint16 testTime = 0x0A05)
{
    auto r = make<DMMDataIR>();
    fillInsulation(*r);
    r->res = box(QStringLiteral("1000"), 1000, GOhm);
    r->overRange = overRange;
    r->dar = box(QStringLiteral("2.35"), 2.35, QString());
    r->pi = box(QStringLiteral("1.20"), 1.2, QString());
    r->testTime = testTime;
    return r;
}

RecordPtr timeRecord()
{
    auto r = make<DMMDataTime>();
    fillInsulation(*r);
    r->res = box(QStringLiteral("12.3"), 12.3, MOhm);
    r->current =
        box(QStringLiteral("7"), std::numeric_limits<double>::quiet_NaN(), QStringLiteral("nA"));
    r->testTime = 0x0909; // not shown by Time records
    r->elapsedTime = 0x0130;
    r->setTime = 0x0200;
    return r;
}

template <typename T> QSharedPointer<T> piDar()
{
    auto r = make<T>();
    fillInsulation(*r);
    r->res = box(QStringLiteral("5.67"), 5.67, GOhm);
    r->res2 = box(QStringLiteral("9.99"), 9.99, GOhm);
    r->res2OverRange = true;
    r->elapsedTime = 0x0A00;
    r->setTime = 0x0100;
    r->setTime2 = 0x0A00;
    return r;
}

RecordPtr piRecord()
{
    auto r = piDar<DMMDataPI>();
    r->piRatio = box(QStringLiteral("1.76"), 1.76, QString());
    return r;
}

RecordPtr darRecord()
{
    auto r = piDar<DMMDataDAR>();
    r->darRatio = box(QStringLiteral("1.33"), 1.33, QString());
    return r;
}

RecordPtr compRecord(quint8 result)
{
    auto r = make<DMMDataCOMP>();
    fillInsulation(*r);
    r->res = box(QStringLiteral("250"), 250, MOhm);
    r->compLimit = ibox(100, MOhm);
    r->compResult = result;
    return r;
}

RecordPtr capRecord(bool overRange)
{
    auto r = make<DMMDataCAP>();
    r->cap = overRange ? box(QStringLiteral("9.99"), 9.99, MicroF)
                       : box(QStringLiteral("LO"), 0, MicroF);
    r->underRange = !overRange;
    r->overRange = overRange;
    r->vset = ibox(500, QStringLiteral("V"));
    return r;
}

RecordPtr voltRecord(bool overload)
{
    auto r = make<DMMDataVOLT>();
    r->volt = overload ? box(QStringLiteral("OL"), 0, QStringLiteral("V"))
                       : box(QStringLiteral("-250"), -250, QStringLiteral("V"));
    r->overload = overload;
    r->coupling = overload ? QStringLiteral("AC") : QStringLiteral("DC");
    return r;
}

RecordPtr resRecord()
{
    auto r = make<DMMDataRES>();
    r->res = box(QStringLiteral("19.9"), 19.9, Ohm);
    r->overRange = true;
    return r;
}

RecordPtr recordOfMode(int mode)
{
    switch (mode) {
    case DMMData::dmIR:
        return irRecord(false);
    case DMMData::dmTime:
        return timeRecord();
    case DMMData::dmPI:
        return piRecord();
    case DMMData::dmDAR:
        return darRecord();
    case DMMData::dmCOMP:
        return compRecord(0);
    case DMMData::dmCAP:
        return capRecord(false);
    case DMMData::dmVOLT:
        return voltRecord(false);
    default:
        return resRecord();
    }
}

// Prefixes every text of the window's context, so a title that went
// through another context (or none) stays visibly untranslated.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "TemplateWindow") == 0)
            return QStringLiteral("T:") + QString::fromUtf8(source);
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestDataModels : public QObject
{
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void invalidRequests_data();
    void invalidRequests();
    void nanCurrentIsNormalisedInRecord();
    void everyCellIsCentredAndReadOnly();
    void columnSets_data();
    void columnSets();
    void modelSetStructure();
    void titlesTranslateInWindowContext();
    void mainTitleAndValue_data();
    void mainTitleAndValue();
    void addDataAnnouncesSingleRow();
    void clearRemovesAllRowsAndReleasesRecords();
    void clearOnEmptyModelIsSilent();
    void getDataCopiesInOrder();
    void panelTexts();
    void recordOfOtherModeShowsCommonColumnsOnly();

private:
    ModelSet m_set;
};

void TestDataModels::cells_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<RecordPtr>("record");
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("expected");

    struct Case
    {
        const char *name;
        bool stored;
        RecordPtr record;
        int column;
        QVariant expected;
    };
    const Case cases[] = {
        // Shared columns.
        {"IR row number", false, irRecord(true), 0, 1},
        {"IR date", false, irRecord(true), 1, QStringLiteral("2024-03-05 14:07:09")},
        {"IR mode", false, irRecord(true), 2, QStringLiteral("IR")},
        {"Time mode", false, timeRecord(), 2, QStringLiteral("Time")},
        {"RES mode", false, resRecord(), 2, QStringLiteral("RES")},
        {"stored IR mode", true, irRecord(true), 2, QStringLiteral("IR")},
        // IR
        {"IR res over range", false, irRecord(true), 3, QString(">1000 " + GOhm)},
        {"IR res in range", false, irRecord(false), 3, QString("1000 " + GOhm)},
        {"IR current", false, irRecord(true), 4, QStringLiteral("1.50 uA")},
        {"IR vset", false, irRecord(true), 5, QStringLiteral("500 V")},
        {"IR vout", false, irRecord(true), 6, QStringLiteral("498 V")},
        {"IR dar empty unit", false, irRecord(true), 7, QStringLiteral("2.35 ")},
        {"IR pi empty unit", false, irRecord(true), 8, QStringLiteral("1.20 ")},
        {"IR packed time", false, irRecord(true), 9, QStringLiteral("10:05")},
        {"IR zero time", false, irRecord(true, 0), 9, QStringLiteral("00:00")},
        {"IR past last column", false, irRecord(true), 10, QVariant()},
        {"stored IR date", true, irRecord(true), 1, QStringLiteral("-")},
        {"stored IR res", true, irRecord(true), 3, QString(">1000 " + GOhm)},
        {"stored IR time", true, irRecord(true), 9, QStringLiteral("10:05")},
        // Time
        {"Time res", false, timeRecord(), 3, QString("12.3 " + MOhm)},
        {"Time elapsed", false, timeRecord(), 4, QStringLiteral("01:48")},
        {"Time set", false, timeRecord(), 5, QStringLiteral("02:00")},
        {"Time NaN current", false, timeRecord(), 6, QStringLiteral("- nA")},
        {"Time vset", false, timeRecord(), 7, QStringLiteral("500 V")},
        {"Time vout", false, timeRecord(), 8, QStringLiteral("498 V")},
        {"stored Time date", true, timeRecord(), 1, QStringLiteral("-")},
        {"stored Time elapsed", true, timeRecord(), 4, QStringLiteral("01:48")},
        {"stored Time set", true, timeRecord(), 5, QStringLiteral("-")},
        // PI
        {"PI res1", false, piRecord(), 3, QString("5.67 " + GOhm)},
        {"PI res2 over range", false, piRecord(), 4, QString(">9.99 " + GOhm)},
        {"PI ratio", false, piRecord(), 5, QStringLiteral("1.76 ")},
        {"PI elapsed", false, piRecord(), 6, QStringLiteral("10:00")},
        {"PI set1", false, piRecord(), 7, QStringLiteral("01:00")},
        {"PI set2", false, piRecord(), 8, QStringLiteral("10:00")},
        {"PI current", false, piRecord(), 9, QStringLiteral("1.50 uA")},
        {"PI vset", false, piRecord(), 10, QStringLiteral("500 V")},
        {"PI vout", false, piRecord(), 11, QStringLiteral("498 V")},
        {"stored PI date", true, piRecord(), 1, QStringLiteral("-")},
        {"stored PI elapsed", true, piRecord(), 6, QStringLiteral("10:00")},
        {"stored PI set1", true, piRecord(), 7, QStringLiteral("-")},
        {"stored PI set2", true, piRecord(), 8, QStringLiteral("-")},
        {"stored PI vout", true, piRecord(), 11, QStringLiteral("498 V")},
        // DAR
        {"DAR mode", false, darRecord(), 2, QStringLiteral("DAR")},
        {"DAR res2 over range", false, darRecord(), 4, QString(">9.99 " + GOhm)},
        {"DAR ratio", false, darRecord(), 5, QStringLiteral("1.33 ")},
        {"DAR set2", false, darRecord(), 8, QStringLiteral("10:00")},
        {"DAR vout", false, darRecord(), 11, QStringLiteral("498 V")},
        {"stored DAR date", true, darRecord(), 1, QStringLiteral("-")},
        {"stored DAR set1", true, darRecord(), 7, QStringLiteral("-")},
        {"stored DAR set2", true, darRecord(), 8, QStringLiteral("-")},
        {"stored DAR ratio", true, darRecord(), 5, QStringLiteral("1.33 ")},
        // COMP
        {"COMP limit", false, compRecord(2), 3, QString("100 " + MOhm)},
        {"COMP res", false, compRecord(2), 4, QString("250 " + MOhm)},
        {"COMP no result", false, compRecord(0), 5, QString("")},
        {"COMP pass", false, compRecord(2), 5, QStringLiteral("PASS")},
        {"COMP fail 1", false, compRecord(1), 5, QStringLiteral("FAIL")},
        {"COMP fail 7", false, compRecord(7), 5, QStringLiteral("FAIL")},
        {"COMP current", false, compRecord(2), 6, QStringLiteral("1.50 uA")},
        {"COMP vout", false, compRecord(2), 8, QStringLiteral("498 V")},
        {"stored COMP date", true, compRecord(2), 1, QStringLiteral("-")},
        {"stored COMP pass", true, compRecord(2), 5, QStringLiteral("PASS")},
        // CAP
        {"CAP low", false, capRecord(false), 3, QString("LO " + MicroF)},
        {"CAP over range", false, capRecord(true), 3, QString(">9.99 " + MicroF)},
        {"CAP vset", false, capRecord(true), 4, QStringLiteral("500 V")},
        {"stored CAP date", true, capRecord(true), 1, QStringLiteral("-")},
        {"stored CAP over range", true, capRecord(true), 3, QString(">9.99 " + MicroF)},
        // VOLT
        {"VOLT overload has no mark", false, voltRecord(true), 3, QStringLiteral("OL V")},
        {"VOLT negative", false, voltRecord(false), 3, QStringLiteral("-250 V")},
        {"VOLT coupling AC", false, voltRecord(true), 4, QStringLiteral("AC")},
        {"VOLT coupling DC", false, voltRecord(false), 4, QStringLiteral("DC")},
        {"stored VOLT date", true, voltRecord(false), 1, QStringLiteral("-")},
        {"stored VOLT coupling", true, voltRecord(false), 4, QStringLiteral("DC")},
        // RES
        {"RES over range", false, resRecord(), 3, QString(">19.9 " + Ohm)},
        {"stored RES date", true, resRecord(), 1, QStringLiteral("-")},
        {"stored RES value", true, resRecord(), 3, QString(">19.9 " + Ohm)},
    };
    for (const Case &c : cases)
        QTest::newRow(c.name) << c.stored << c.record << c.column << c.expected;
}

void TestDataModels::cells()
{
    QFETCH(bool, stored);
    QFETCH(RecordPtr, record);
    QFETCH(int, column);
    QFETCH(QVariant, expected);

    ModelSet set;
    DataModel *model = stored ? set.storedModel(record->mode) : set.liveModel(record->mode);
    QVERIFY(model);
    model->addData(record);
    const QVariant cell = model->data(model->index(0, column), Qt::DisplayRole);
    QCOMPARE(cell, expected);
    if (expected.isValid())
        QCOMPARE(cell.userType(), expected.userType());
}

void TestDataModels::invalidRequests_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");

    for (bool stored : {false, true}) {
        const char *side = stored ? "stored" : "live";
        // Row 1 holds a null record, row 0 a PI record.
        QTest::addRow("%s null record number", side) << stored << 1 << 0 << int(Qt::DisplayRole);
        QTest::addRow("%s null record date", side) << stored << 1 << 1 << int(Qt::DisplayRole);
        QTest::addRow("%s null record set1", side) << stored << 1 << 7 << int(Qt::DisplayRole);
        QTest::addRow("%s null record ratio", side) << stored << 1 << 5 << int(Qt::DisplayRole);
        QTest::addRow("%s null record alignment", side)
            << stored << 1 << 3 << int(Qt::TextAlignmentRole);
        QTest::addRow("%s row past end", side) << stored << 2 << 3 << int(Qt::DisplayRole);
        QTest::addRow("%s negative row", side) << stored << -1 << 3 << int(Qt::DisplayRole);
        QTest::addRow("%s edit role", side) << stored << 0 << 3 << int(Qt::EditRole);
        QTest::addRow("%s tooltip role on dash", side) << stored << 0 << 1 << int(Qt::ToolTipRole);
    }
}

void TestDataModels::invalidRequests()
{
    QFETCH(bool, stored);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, role);

    ModelSet set;
    DataModel *model = stored ? set.storedModel(DMMData::dmPI) : set.liveModel(DMMData::dmPI);
    model->addData(piRecord());
    model->addData(RecordPtr());
    QVERIFY(!model->data(model->index(row, column), role).isValid());
}

void TestDataModels::nanCurrentIsNormalisedInRecord()
{
    auto record = timeRecord().staticCast<DMMDataTime>();
    DataModel *model = m_set.liveModel(DMMData::dmTime);
    model->addData(record);
    const QModelIndex lc = model->index(model->rowCount() - 1, 6);
    QCOMPARE(model->data(lc).toString(), QStringLiteral("- nA"));
    QCOMPARE(record->current.value, 0.0);
    QCOMPARE(record->current.text, QStringLiteral("-"));
    QCOMPARE(model->data(lc).toString(), QStringLiteral("- nA"));
    model->clear();
}

void TestDataModels::everyCellIsCentredAndReadOnly()
{
    ModelSet set;
    for (int mode = DMMData::dmIR; mode <= DMMData::dmRES; ++mode) {
        for (DataModel *model : {set.liveModel(mode), set.storedModel(mode)}) {
            model->addData(recordOfMode(mode)); // COMP without result: empty cell
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex idx = model->index(0, c);
                QVERIFY2(idx.isValid(), model->metaObject()->className());
                QCOMPARE(model->data(idx, Qt::TextAlignmentRole), QVariant(int(Qt::AlignCenter)));
                QVERIFY(model->data(idx, Qt::DisplayRole).isValid());
                QVERIFY(!(model->flags(idx) & Qt::ItemIsEditable));
                QVERIFY(model->flags(idx) & Qt::ItemIsSelectable);
                QVERIFY(model->flags(idx) & Qt::ItemIsEnabled);
            }
        }
    }
    QCOMPARE(int(Qt::AlignCenter), 132);
}

void TestDataModels::columnSets_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("keys");
    const QStringList head{"No.", "Date/Time", "Mode"};
    const QStringList ratio{"RES1", "RES2"};
    const QStringList ratioTail{"Time", "Time-Set1", "Time-Set2", "LC", "V-Set", "V-Out"};
    QTest::newRow("IR") << int(DMMData::dmIR)
                        << head + QStringList{"RES", "LC", "V-Set", "V-Out", "DAR", "PI", "Time"};
    QTest::newRow("Time") << int(DMMData::dmTime)
                          << head + QStringList{"RES", "Time", "Time-Set", "LC", "V-Set", "V-Out"};
    QTest::newRow("PI") << int(DMMData::dmPI) << head + ratio + QStringList{"PI"} + ratioTail;
    QTest::newRow("DAR") << int(DMMData::dmDAR) << head + ratio + QStringList{"DAR"} + ratioTail;
    QTest::newRow("COMP") << int(DMMData::dmCOMP)
                          << head +
                                 QStringList{"RES-COMP", "RES", "Result", "LC", "V-Set", "V-Out"};
    QTest::newRow("CAP") << int(DMMData::dmCAP) << head + QStringList{"CAP", "V-Set"};
    QTest::newRow("VOLT") << int(DMMData::dmVOLT) << head + QStringList{"VOLT", "AC/DC"};
    QTest::newRow("RES") << int(DMMData::dmRES) << head + QStringList{"RES"};
}

void TestDataModels::columnSets()
{
    QFETCH(int, mode);
    QFETCH(QStringList, keys);

    QCOMPARE(ModelSet::columnKeys(mode), keys);
    for (DataModel *model : {m_set.liveModel(mode), m_set.storedModel(mode)}) {
        QCOMPARE(model->columnCount(), keys.size());
        for (int c = 0; c < keys.size(); ++c) {
            QCOMPARE(model->headerData(c, Qt::Horizontal, DataModel::KeyRole).toString(),
                     keys.at(c));
            // Without a translation the header is the key, except the
            // coupling column whose title comes from "ACDC".
            const QString title = keys.at(c) == "AC/DC" ? QStringLiteral("ACDC") : keys.at(c);
            QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), title);
            QVERIFY(!model->headerData(c, Qt::Vertical, Qt::DisplayRole).isValid());
            QVERIFY(!model->headerData(c, Qt::Horizontal, Qt::ToolTipRole).isValid());
        }
        QVERIFY(!model->headerData(keys.size(), Qt::Horizontal, Qt::DisplayRole).isValid());
        QVERIFY(!model->headerData(-1, Qt::Horizontal, Qt::DisplayRole).isValid());
    }
}

void TestDataModels::modelSetStructure()
{
    const char *modes[] = {"IR", "Time", "PI", "DAR", "COMP", "CAP", "VOLT", "RES"};
    QCOMPARE(m_set.liveModels().size(), 8);
    QCOMPARE(m_set.storedModels().size(), 8);
    for (int mode = 0; mode < 8; ++mode) {
        DataModel *live = m_set.liveModel(mode);
        DataModel *stored = m_set.storedModel(mode);
        QCOMPARE(m_set.liveModels().at(mode), live);
        QCOMPARE(m_set.storedModels().at(mode), stored);
        QCOMPARE(QString(live->metaObject()->className()), QString("DataModel") + modes[mode]);
        QCOMPARE(QString(stored->metaObject()->className()),
                 QString("DataModelStored") + modes[mode]);
        // The stored model of a mode is a kind of its live model and shares
        // its column objects.
        QVERIFY(stored->inherits(live->metaObject()->className()));
        QCOMPARE(stored->metaObject()->superClass(), live->metaObject());
        QCOMPARE(live->metaObject()->superClass(), &DataModel::staticMetaObject);
        QCOMPARE(m_set.columns(mode).size(), live->columnCount());
        QCOMPARE(live->parent(), &m_set);
        QCOMPARE(stored->parent(), &m_set);
    }
    QVERIFY(!m_set.liveModel(8));
    QVERIFY(!m_set.storedModel(-1));
    QVERIFY(m_set.columns(8).isEmpty());
    QVERIFY(ModelSet::columnKeys(-1).isEmpty());

    // Models die with the set.
    auto *set = new ModelSet;
    QPointer<DataModel> model = set->storedModel(DMMData::dmCAP);
    delete set;
    QVERIFY(model.isNull());
}

void TestDataModels::titlesTranslateInWindowContext()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    ModelSet set;
    QCoreApplication::removeTranslator(&translator);

    DataModel *volt = set.liveModel(DMMData::dmVOLT);
    QCOMPARE(volt->headerData(0, Qt::Horizontal).toString(), QStringLiteral("T:No."));
    QCOMPARE(volt->headerData(3, Qt::Horizontal).toString(), QStringLiteral("T:VOLT"));
    QCOMPARE(volt->headerData(4, Qt::Horizontal).toString(), QStringLiteral("T:ACDC"));
    QCOMPARE(volt->headerData(4, Qt::Horizontal, DataModel::KeyRole).toString(),
             QStringLiteral("AC/DC"));
    QCOMPARE(set.storedModel(DMMData::dmPI)->getMainTitle(), QStringLiteral("T:PI"));
}

void TestDataModels::mainTitleAndValue_data()
{
    QTest::addColumn<RecordPtr>("record");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("value");
    QTest::newRow("IR") << irRecord(true) << "RES" << QString(">1000 " + GOhm);
    QTest::newRow("Time") << timeRecord() << "RES" << QString("12.3 " + MOhm);
    QTest::newRow("PI") << piRecord() << "PI"
                        << "1.76 ";
    QTest::newRow("DAR") << darRecord() << "DAR"
                         << "1.33 ";
    QTest::newRow("COMP") << compRecord(2) << "RES" << QString("250 " + MOhm);
    QTest::newRow("CAP") << capRecord(true) << "CAP" << QString(">9.99 " + MicroF);
    QTest::newRow("VOLT") << voltRecord(true) << "VOLT"
                          << "OL V";
    QTest::newRow("RES") << resRecord() << "RES" << QString(">19.9 " + Ohm);
}

void TestDataModels::mainTitleAndValue()
{
    QFETCH(RecordPtr, record);
    QFETCH(QString, title);
    QFETCH(QString, value);

    ModelSet set;
    for (DataModel *model : {set.liveModel(record->mode), set.storedModel(record->mode)}) {
        QCOMPARE(model->getMainTitle(), title);
        QVERIFY(!model->getMainValue(0).isValid());
        model->addData(record);
        QCOMPARE(model->getMainValue(0), QVariant(value));
        QVERIFY(!model->getMainValue(1).isValid());
        QVERIFY(!model->getMainValue(-1).isValid());
    }
}

void TestDataModels::addDataAnnouncesSingleRow()
{
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmIR);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(model->addData(irRecord(false)), i + 1);

    QSignalSpy before(model, &QAbstractItemModel::rowsAboutToBeInserted);
    QSignalSpy after(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    int countSeenBefore = -1;
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [&] { countSeenBefore = model->rowCount(); });

    QCOMPARE(model->addData(irRecord(true)), 6);
    QCOMPARE(before.count(), 1);
    QCOMPARE(after.count(), 1);
    QCOMPARE(reset.count(), 0);
    for (const QList<QVariant> &args : {before.at(0), after.at(0)}) {
        QVERIFY(!args.at(0).value<QModelIndex>().isValid());
        QCOMPARE(args.at(1).toInt(), 5);
        QCOMPARE(args.at(2).toInt(), 5);
    }
    QCOMPARE(countSeenBefore, 5);
    QCOMPARE(model->rowCount(), 6);
    QCOMPARE(model->data(model->index(5, 0)), QVariant(6));
    QCOMPARE(model->data(model->index(5, 3)).toString(), QString(">1000 " + GOhm));
}

void TestDataModels::clearRemovesAllRowsAndReleasesRecords()
{
    ModelSet set;
    DataModel *model = set.storedModel(DMMData::dmRES);
    RecordPtr kept = resRecord();
    QWeakPointer<DMMData> dropped;
    {
        RecordPtr r = resRecord();
        dropped = r;
        model->addData(r);
    }
    model->addData(kept);
    model->addData(resRecord());

    QSignalSpy before(model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QSignalSpy after(model, &QAbstractItemModel::rowsRemoved);
    model->clear();
    QCOMPARE(before.count(), 1);
    QCOMPARE(after.count(), 1);
    for (const QList<QVariant> &args : {before.at(0), after.at(0)}) {
        QVERIFY(!args.at(0).value<QModelIndex>().isValid());
        QCOMPARE(args.at(1).toInt(), 0);
        QCOMPARE(args.at(2).toInt(), 2);
    }
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(model->getData().isEmpty());
    QVERIFY(dropped.isNull());
    QCOMPARE(kept->mode, DMMData::dmRES); // still held by this test

    // The model takes rows again after a clear, numbered from 1.
    QCOMPARE(model->addData(kept), 1);
    QCOMPARE(model->data(model->index(0, 0)), QVariant(1));
}

void TestDataModels::clearOnEmptyModelIsSilent()
{
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmCOMP);
    QSignalSpy aboutRemove(model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(model, &QAbstractItemModel::modelAboutToBeReset);
    model->clear();
    QCOMPARE(aboutRemove.count() + removed.count() + reset.count(), 0);
}

void TestDataModels::getDataCopiesInOrder()
{
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmCAP);
    const RecordPtr a = capRecord(true), b = capRecord(false);
    model->addData(a);
    model->addData(b);
    const QList<RecordPtr> copy = model->getData();
    QCOMPARE(copy.size(), 2);
    QCOMPARE(copy.at(0), a);
    QCOMPARE(copy.at(1), b);
    model->clear();
    QCOMPARE(copy.size(), 2); // a copy, not a view of the model's list
}

void TestDataModels::panelTexts()
{
    auto cap = capRecord(true).staticCast<DMMDataCAP>();
    QCOMPARE(DataModel::getCAPViewStr(cap), QString("9.99 " + MicroF));
    auto volt = voltRecord(false).staticCast<DMMDataVOLT>();
    QCOMPARE(DataModel::getVOLTViewStr(volt), QStringLiteral("-250 V"));
    volt->volt.value = std::numeric_limits<double>::infinity();
    QCOMPARE(DataModel::getVOLTViewStr(volt), QStringLiteral("- V"));
    QCOMPARE(volt->volt.text, QStringLiteral("-"));
    QCOMPARE(DataModel::getVOLTViewStr({}), QString());
    QCOMPARE(DataModel::getCAPViewStr({}), QString());
}

void TestDataModels::recordOfOtherModeShowsCommonColumnsOnly()
{
    // A RES record is far smaller than a PI record; a model must not read
    // members the record does not have.
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmPI);
    model->addData(resRecord());
    QCOMPARE(model->data(model->index(0, 2)).toString(), QStringLiteral("RES"));
    for (int c = 3; c < model->columnCount(); ++c)
        QVERIFY(!model->data(model->index(0, c)).isValid());

    // A mode value without a key shows an empty Mode cell.
    auto odd = irRecord(false);
    odd->mode = static_cast<DMMData::DataMode>(42);
    DataModel *ir = set.liveModel(DMMData::dmIR);
    ir->addData(odd);
    QCOMPARE(ir->data(ir->index(0, 2)), QVariant(QString()));
}

QTEST_GUILESS_MAIN(TestDataModels)
#include "tst_datamodels.moc"
