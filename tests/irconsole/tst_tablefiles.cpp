// Saving and loading the reading table: the tab-separated text file and the
// XML data packet, byte for byte, and the messages of the save and open
// actions.

#include "consoledialogs.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "readingtextfile.h"
#include "readingxmlpacket.h"
#include "recordactions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kOhm = QString(QChar(0x03A9));

ReadingRecord rec(int no, QTime time, const QString &value, const QString &unit,
                  const QString &vRange, const QString &iRange)
{
    ReadingRecord r;
    r.hasNo = no > 0;
    r.no = no;
    r.time = time;
    r.value = value;
    r.unit = unit;
    r.vRange = vRange;
    r.iRange = iRange;
    return r;
}

// Three records: an ohm sign in two fields, an empty unit, and a value with
// blanks around it.
void fillFixture(ReadingTable &table)
{
    table.setTimeFormat(QStringLiteral("HH:mm:ss"));
    table.append(
        rec(1, QTime(13, 5, 9, 250), "19.05", "M" + kOhm, "IR:500V 20G" + kOhm, "Continuous"));
    table.append(rec(2, QTime(9, 0, 0), "LL", "", "DCV  600V", "Timed"));
    table.append(
        rec(3, QTime(23, 59, 59), " 0.51 ", "G" + kOhm, "IR:2500 100G" + kOhm, "COMP:GOOD"));
}

const QByteArray kOhmBytes("\xA6\xB8", 2);

QByteArray fixtureText()
{
    return QByteArray("No\tTime\tValue\tUnit\tFunction\tRemark\r\n") + "1\t13:05:09\t19.05\tM" +
           kOhmBytes + "\tIR:500V 20G" + kOhmBytes + "\tContinuous\r\n" +
           "2\t09:00:00\tLL\tNULL\tDCV  600V\tTimed\r\n" + "3\t23:59:59\t0.51\tG" + kOhmBytes +
           "\tIR:2500 100G" + kOhmBytes + "\tCOMP:GOOD\r\n";
}

QByteArray fixtureXml()
{
    return QByteArray("<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\">"
                      "<METADATA><FIELDS>"
                      "<FIELD attrname=\"No\" fieldtype=\"i4\"/>"
                      "<FIELD attrname=\"Time\" fieldtype=\"time\"/>"
                      "<FIELD attrname=\"Value\" fieldtype=\"string\" WIDTH=\"20\"/>"
                      "<FIELD attrname=\"Unit\" fieldtype=\"string\" WIDTH=\"20\"/>"
                      "<FIELD attrname=\"V_Range\" fieldtype=\"string\" WIDTH=\"20\"/>"
                      "<FIELD attrname=\"I_Range\" fieldtype=\"string\" WIDTH=\"20\"/>"
                      "</FIELDS><PARAMS/></METADATA><ROWDATA>") +
           "<ROW No=\"1\" Time=\"13:05:09250\" Value=\"19.05\" Unit=\"M" + kOhmBytes +
           "\" V_Range=\"IR:500V 20G" + kOhmBytes + "\" I_Range=\"Continuous\"/>" +
           "<ROW No=\"2\" Time=\"09:00:00000\" Value=\"LL\" V_Range=\"DCV  600V\" "
           "I_Range=\"Timed\"/>" +
           "<ROW No=\"3\" Time=\"23:59:59000\" Value=\" 0.51 \" Unit=\"G" + kOhmBytes +
           "\" V_Range=\"IR:2500 100G" + kOhmBytes + "\" I_Range=\"COMP:GOOD\"/>" +
           "</ROWDATA></DATAPACKET>";
}

// A packet as another program writes it: lowercase width, a change-log
// parameter, row states, times without milliseconds, escaped text, and
// fields left out of a row.
QByteArray foreignXml()
{
    return QByteArray("<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\">"
                      "<METADATA><FIELDS>"
                      "<FIELD attrname=\"No\" fieldtype=\"i4\"/>"
                      "<FIELD attrname=\"Time\" fieldtype=\"time\"/>"
                      "<FIELD attrname=\"Value\" fieldtype=\"string\" width=\"20\"/>"
                      "<FIELD attrname=\"Unit\" fieldtype=\"string\" width=\"20\"/>"
                      "<FIELD attrname=\"V_Range\" fieldtype=\"string\" width=\"20\"/>"
                      "<FIELD attrname=\"I_Range\" fieldtype=\"string\" width=\"20\"/>"
                      "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4 2 0 4\"/></METADATA><ROWDATA>") +
           "<ROW RowState=\"4\" No=\"7\" Time=\"08:15:30\" Value=\"1.234\" Unit=\"G" + kOhmBytes +
           "\" V_Range=\"IR:1000V 40G" + kOhmBytes + "\" I_Range=\"PI\"/>" +
           "<ROW RowState=\"4\" No=\"8\" Time=\"08:15:31500\" "
           "Value=\"&lt;&amp;&quot;&gt;\" I_Range=\"COMP:NG\"/>" +
           "</ROWDATA></DATAPACKET>\r\n";
}

struct Message
{
    QString title;
    QString text;
    ConsoleDialogs::Icon icon;
};

struct AnsweredDialogs : ConsoleDialogs
{
    QString answerFile;
    QList<FileRequest> requests;
    QList<Message> messages;

    AnsweredDialogs()
    {
        message = [this](const QString &title, const QString &text, Icon icon) {
            messages.append({title, text, icon});
        };
        confirm = [](const QString &, const QString &) { return true; };
        fileName = [this](const FileRequest &r) {
            requests.append(r);
            return answerFile;
        };
        preview = [](DataReport &) {};
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestTableFiles : public QObject
{
    Q_OBJECT
private slots:
    void textFileBytes();
    void textFileOfEmptyTable();
    void textLoadAppends();
    void textLoadAsOtherProgramsWrite();
    void textLoadFailureKeepsEarlierRecords_data();
    void textLoadFailureKeepsEarlierRecords();
    void threeSavedAndOpenedGiveSix();
    void saveFailureIsReported();
    void cancelledDialogsDoNothing();

    void xmlBytes();
    void xmlReadsForeignPacket();
    void xmlReadsDeclaredUtf8();
    void xmlRoundTripKeepsAwkwardText();
    void xmlOpenReplacesTable();
    void xmlBadPacketKeepsTable_data();
    void xmlBadPacketKeepsTable();
    void xmlTimeText_data();
    void xmlTimeText();
};

void TestTableFiles::textFileBytes()
{
    ReadingTable table;
    fillFixture(table);
    QCOMPARE(ReadingTextFile::toBytes(table), fixtureText());
}

void TestTableFiles::textFileOfEmptyTable()
{
    ReadingTable table;
    QCOMPARE(ReadingTextFile::toBytes(table),
             QByteArray("No\tTime\tValue\tUnit\tFunction\tRemark\r\n"));
}

void TestTableFiles::textLoadAppends()
{
    ReadingTable table;
    fillFixture(table);
    QVERIFY(ReadingTextFile::appendFromBytes(table, fixtureText()));
    QCOMPARE(table.size(), 6);
    const ReadingRecord &r = table.record(3);
    QCOMPARE(r.no, 1);
    QCOMPARE(r.time, QTime(13, 5, 9));
    QCOMPARE(r.unit, "M" + kOhm);
    QCOMPARE(r.vRange, "IR:500V 20G" + kOhm);
    // "NULL" comes back as text; the trimmed value stays trimmed.
    QCOMPARE(table.record(4).unit, QStringLiteral("NULL"));
    QCOMPARE(table.record(5).value, QStringLiteral("0.51"));
}

void TestTableFiles::textLoadAsOtherProgramsWrite()
{
    // LF line ends, a short line, NULL in the typed fields, a blank line, a
    // time without leading zero and no line end on the last line.
    const QByteArray bytes = "No\tTime\tValue\tUnit\tFunction\tRemark\n"
                             "5\t9:05:03\t1.5\n"
                             "\n"
                             "NULL\tNULL\tNULL\tV\tACV  600V\tContinuous";
    ReadingTable table;
    QVERIFY(ReadingTextFile::appendFromBytes(table, bytes));
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.record(0), rec(5, QTime(9, 5, 3), "1.5", "", "", ""));
    QCOMPARE(table.record(1), rec(0, QTime(), "NULL", "V", "ACV  600V", "Continuous"));

    // Its empty typed fields are written as NULL again.
    table.setTimeFormat(QStringLiteral("HH:mm:ss"));
    QCOMPARE(ReadingTextFile::toBytes(table),
             QByteArray("No\tTime\tValue\tUnit\tFunction\tRemark\r\n"
                        "5\t09:05:03\t1.5\tNULL\tNULL\tNULL\r\n"
                        "NULL\tNULL\tNULL\tV\tACV  600V\tContinuous\r\n"));
}

void TestTableFiles::textLoadFailureKeepsEarlierRecords_data()
{
    QTest::addColumn<QByteArray>("badLine");
    QTest::newRow("seven parts") << QByteArray("3\t10:00:00\t1\tV\tDCV  600V\tTimed\textra");
    QTest::newRow("number is text") << QByteArray("x3\t10:00:00\t1\tV\tDCV  600V\tTimed");
    QTest::newRow("time is text") << QByteArray("3\tnoon\t1\tV\tDCV  600V\tTimed");
    QTest::newRow("hour out of range") << QByteArray("3\t25:00:00\t1");
}

void TestTableFiles::textLoadFailureKeepsEarlierRecords()
{
    QFETCH(QByteArray, badLine);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bad.txt"));
    QVERIFY(writeAll(path, "No\tTime\tValue\tUnit\tFunction\tRemark\r\n"
                           "1\t10:00:00\t1.00\tV\tDCV  600V\tContinuous\r\n" +
                               badLine + "\r\n2\t10:00:01\t2.00\tV\tDCV  600V\tContinuous\r\n"));
    ReadingTable table;
    table.append(rec(1, QTime(8, 0, 0), "0.10", "V", "", ""));
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs;
    dialogs.answerFile = path;
    RecordActions actions(&table, &recorder, &dialogs);

    QVERIFY(!actions.open());
    QCOMPARE(table.size(), 2); // the one before plus the good line before the fault
    QCOMPARE(table.record(1).value, QStringLiteral("1.00"));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).title, QStringLiteral("Error"));
    QCOMPARE(dialogs.messages.at(0).text, QStringLiteral("Failed to Load File!"));
    QCOMPARE(dialogs.messages.at(0).icon, ConsoleDialogs::Icon::Error);
}

void TestTableFiles::threeSavedAndOpenedGiveSix()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    ReadingTable table;
    fillFixture(table);
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs;
    RecordActions actions(&table, &recorder, &dialogs);

    dialogs.answerFile = path;
    QVERIFY(actions.saveAs());
    QCOMPARE(dialogs.requests.size(), 1);
    QVERIFY(dialogs.requests.at(0).save);
    QCOMPARE(dialogs.requests.at(0).filter,
             QStringLiteral("Excel File(*.xls);;XML(*.xml);;Txt File(*.txt)"));
    QCOMPARE(dialogs.requests.at(0).defaultSuffix, QStringLiteral("xls"));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).text,
             "Save table to specified file: " + QDir::toNativeSeparators(path) + " Scuss!");
    QCOMPARE(readAll(path), fixtureText());

    QVERIFY(actions.open());
    QVERIFY(!dialogs.requests.at(1).save);
    QCOMPARE(dialogs.requests.at(1).filter,
             QStringLiteral("Excel File(*.xls);;XML (*.xml);;Txt File(*.txt)"));
    QCOMPARE(table.size(), 6);
    QCOMPARE(dialogs.messages.size(), 1); // a good load says nothing
    // Loading leaves the numbering where it was.
    QCOMPARE(recorder.recordCounter(), 1);

    // ".XLS" and any other name are text files too.
    const QString xls = dir.filePath(QStringLiteral("B.XLS"));
    QVERIFY(actions.saveTo(xls));
    QVERIFY(readAll(xls).startsWith("No\tTime\t"));
}

void TestTableFiles::saveFailureIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ReadingTable table;
    fillFixture(table);
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs;
    RecordActions actions(&table, &recorder, &dialogs);

    const QString txt = dir.filePath(QStringLiteral("missing/a.txt"));
    QVERIFY(!actions.saveTo(txt));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).text,
             "Could not save table to specified file: " + QDir::toNativeSeparators(txt));

    const QString xml = dir.filePath(QStringLiteral("missing/a.xml"));
    QVERIFY(!actions.saveTo(xml));
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages.at(1).title, QStringLiteral("Error"));
    QCOMPARE(dialogs.messages.at(1).icon, ConsoleDialogs::Icon::Error);
    QVERIFY(dialogs.messages.at(1).text.startsWith("Could not save table to specified file: "));
    QVERIFY(dialogs.messages.at(1).text.size() > 40 + xml.size()); // carries the cause
    QCOMPARE(table.size(), 3);
}

void TestTableFiles::cancelledDialogsDoNothing()
{
    ReadingTable table;
    fillFixture(table);
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs; // answers every file dialog with Cancel
    RecordActions actions(&table, &recorder, &dialogs);
    QVERIFY(!actions.saveAs());
    QVERIFY(!actions.open());
    QCOMPARE(dialogs.requests.size(), 2);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(table.size(), 3);
}

void TestTableFiles::xmlBytes()
{
    ReadingTable table;
    fillFixture(table);
    QCOMPARE(ReadingXmlPacket::toBytes(table), fixtureXml());
}

void TestTableFiles::xmlReadsForeignPacket()
{
    QVector<ReadingRecord> rows;
    QString error;
    QVERIFY2(ReadingXmlPacket::parse(foreignXml(), &rows, &error), qPrintable(error));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0),
             rec(7, QTime(8, 15, 30), "1.234", "G" + kOhm, "IR:1000V 40G" + kOhm, "PI"));
    QCOMPARE(rows.at(1), rec(8, QTime(8, 15, 31, 500), "<&\">", "", "", "COMP:NG"));
}

void TestTableFiles::xmlReadsDeclaredUtf8()
{
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                             "<DATAPACKET Version=\"2.0\">\n <METADATA>\n  <FIELDS>\n"
                             "   <FIELD attrname=\"No\" fieldtype=\"i4\"/>\n"
                             "   <FIELD attrname=\"Unit\" fieldtype=\"string\" WIDTH=\"20\"/>\n"
                             "  </FIELDS>\n  <PARAMS/>\n </METADATA>\n <ROWDATA>\n"
                             "  <ROW No=\"1\" Unit=\"M\xCE\xA9\"/>\n"
                             " </ROWDATA>\n</DATAPACKET>\n";
    QVector<ReadingRecord> rows;
    QString error;
    QVERIFY2(ReadingXmlPacket::parse(bytes, &rows, &error), qPrintable(error));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0), rec(1, QTime(), "", "M" + kOhm, "", ""));
}

void TestTableFiles::xmlRoundTripKeepsAwkwardText()
{
    ReadingTable table;
    table.append(rec(1, QTime(0, 0, 0, 1), "a<b>&\"c'", "\t", "line\nbreak", " lead"));
    table.append(rec(0, QTime(), "", "", "", "")); // every field empty
    table.append(rec(-5, QTime(12, 0, 0), "-0.512", "V", "x", "y"));
    QVector<ReadingRecord> rows;
    QString error;
    QVERIFY2(ReadingXmlPacket::parse(ReadingXmlPacket::toBytes(table), &rows, &error),
             qPrintable(error));
    QCOMPARE(rows, table.records());
}

void TestTableFiles::xmlOpenReplacesTable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.xml"));
    ReadingTable table;
    fillFixture(table);
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs;
    RecordActions actions(&table, &recorder, &dialogs);
    dialogs.answerFile = path;
    QVERIFY(actions.saveAs());
    QCOMPARE(readAll(path), fixtureXml());
    QCOMPARE(dialogs.messages.at(0).text,
             "Save table to specified file: " + QDir::toNativeSeparators(path) + " Scuss!");

    table.append(rec(4, QTime(1, 2, 3), "9", "V", "", ""));
    QVERIFY(actions.open());
    QCOMPARE(table.size(), 3);
    QCOMPARE(table.record(0).time, QTime(13, 5, 9, 250));
    QCOMPARE(table.record(2).value, QStringLiteral(" 0.51 "));

    // A packet written by another program, under an upper-case name.
    const QString foreign = dir.filePath(QStringLiteral("OTHER.XML"));
    QVERIFY(writeAll(foreign, foreignXml()));
    dialogs.answerFile = foreign;
    QVERIFY(actions.open());
    QCOMPARE(table.size(), 2);
    QCOMPARE(table.record(0).no, 7);
}

void TestTableFiles::xmlBadPacketKeepsTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\">"
                            "<METADATA><FIELDS><FIELD attrname=\"No\" fieldtype=\"i4\"/>"
                            "<FIELD attrname=\"Time\" fieldtype=\"time\"/></FIELDS><PARAMS/>"
                            "</METADATA>";
    QTest::newRow("not xml") << QByteArray("No\tTime\r\n1\t10:00:00\r\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("other root") << QByteArray("<?xml version=\"1.0\"?><table/>");
    QTest::newRow("cut short") << head + "<ROWDATA><ROW No=\"1\"";
    QTest::newRow("unclosed") << head + "<ROWDATA><ROW No=\"1\"/>";
    QTest::newRow("no rowdata") << head + "</DATAPACKET>";
    QTest::newRow("bad number") << head + "<ROWDATA><ROW No=\"one\"/></ROWDATA></DATAPACKET>";
    QTest::newRow("bad time") << head + "<ROWDATA><ROW Time=\"25:61:00\"/></ROWDATA></DATAPACKET>";
    QTest::newRow("undeclared field")
        << head + "<ROWDATA><ROW No=\"1\" Value=\"2\"/></ROWDATA></DATAPACKET>";
    QTest::newRow("unknown field")
        << QByteArray("<?xml version=\"1.0\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
                      "<FIELD attrname=\"Price\" fieldtype=\"r8\"/></FIELDS></METADATA>"
                      "<ROWDATA/></DATAPACKET>");
    QTest::newRow("wrong type") << QByteArray(
        "<?xml version=\"1.0\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
        "<FIELD attrname=\"No\" fieldtype=\"string\" WIDTH=\"20\"/></FIELDS>"
        "</METADATA><ROWDATA/></DATAPACKET>");
}

void TestTableFiles::xmlBadPacketKeepsTable()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("bad.xml"));
    QVERIFY(writeAll(path, bytes));
    ReadingTable table;
    fillFixture(table);
    ReadingRecorder recorder(&table);
    AnsweredDialogs dialogs;
    RecordActions actions(&table, &recorder, &dialogs);

    QVERIFY(!actions.openFrom(path));
    QCOMPARE(table.size(), 3);
    QCOMPARE(table.record(0).value, QStringLiteral("19.05"));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.at(0).title, QStringLiteral("Error"));
    QCOMPARE(dialogs.messages.at(0).icon, ConsoleDialogs::Icon::Error);
    const QString text = dialogs.messages.at(0).text;
    QVERIFY2(text.startsWith("Failed to Load File!\n" + QDir::toNativeSeparators(path) + ": ") &&
                 !text.endsWith(": "),
             qPrintable(text));
}

void TestTableFiles::xmlTimeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");
    QTest::newRow("with ms") << "13:05:09123" << QTime(13, 5, 9, 123);
    QTest::newRow("without ms") << "13:05:09" << QTime(13, 5, 9);
    QTest::newRow("one-digit hour") << "8:05:09" << QTime(8, 5, 9);
    QTest::newRow("ms after a point") << "13:05:09.120" << QTime(13, 5, 9, 120);
    QTest::newRow("date-time") << "20240131T13:05:09000" << QTime(13, 5, 9);
    QTest::newRow("hour out of range") << "24:00:00" << QTime();
    QTest::newRow("two ms digits") << "13:05:0912" << QTime();
    QTest::newRow("empty") << "" << QTime();
}

void TestTableFiles::xmlTimeText()
{
    QFETCH(QString, text);
    QFETCH(QTime, time);
    QCOMPARE(ReadingXmlPacket::timeFromText(text), time);
    if (time.isValid() && text.size() == 11)
        QCOMPARE(ReadingXmlPacket::timeToText(time), text);
}

QTEST_MAIN(TestTableFiles)
#include "tst_tablefiles.moc"
