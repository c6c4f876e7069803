#include "readingxmlpacket.h"

#include "ansitext.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextCodec>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

enum class FieldKind { Integer, Time, String };

struct FieldDef
{
    const char *name;
    FieldKind kind;
};

const FieldDef kFields[ReadingTable::FieldCount] = {
    {"No", FieldKind::Integer},  {"Time", FieldKind::Time},      {"Value", FieldKind::String},
    {"Unit", FieldKind::String}, {"V_Range", FieldKind::String}, {"I_Range", FieldKind::String}};

// Row states of the packet's change log: a deleted row is left out, a
// modified row carries new values for the row before it.
constexpr int kRowDeleted = 2;
constexpr int kRowModified = 8;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

bool isIntegerType(const QString &t)
{
    static const QStringList types = {
        QStringLiteral("i1"),  QStringLiteral("i2"),  QStringLiteral("i4"),  QStringLiteral("i8"),
        QStringLiteral("ui1"), QStringLiteral("ui2"), QStringLiteral("ui4"), QStringLiteral("ui8")};
    return types.contains(t);
}

bool typeFits(FieldKind kind, const QString &type)
{
    const QString t = type.toLower();
    switch (kind) {
    case FieldKind::Integer:
        return isIntegerType(t);
    case FieldKind::Time:
        return t == QLatin1String("time") || t == QLatin1String("datetime");
    case FieldKind::String:
        return t == QLatin1String("string") || t == QLatin1String("string.uni");
    }
    return false;
}

// Decodes the document: an encoding named in the declaration wins; without
// one, valid UTF-8 is read as such and anything else as GBK, which is what
// programs writing single-byte strings produce.
QString decodeDocument(const QByteArray &bytes)
{
    const int end = bytes.indexOf("?>");
    if (bytes.startsWith("<?xml") && end > 0) {
        const QByteArray decl = bytes.left(end);
        static const QRegularExpression re(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']+)[\"']"));
        const QRegularExpressionMatch m = re.match(QString::fromLatin1(decl));
        if (m.hasMatch()) {
            if (QTextCodec *codec = QTextCodec::codecForName(m.captured(1).toLatin1())) {
                return codec->toUnicode(bytes);
            }
        }
    }
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    return AnsiText::fromGbkBytes(bytes);
}

bool applyAttribute(ReadingRecord &r, int field, const QString &value, QString *error, int rowNo)
{
    switch (field) {
    case ReadingTable::FieldNo: {
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (!ok) {
            setError(error,
                     QStringLiteral("row %1: No \"%2\" is not a number").arg(rowNo).arg(value));
            return false;
        }
        r.no = n;
        r.hasNo = true;
        return true;
    }
    case ReadingTable::FieldTime: {
        const QTime t = ReadingXmlPacket::timeFromText(value);
        if (!t.isValid()) {
            setError(
                error,
                QStringLiteral("row %1: Time \"%2\" is not a time of day").arg(rowNo).arg(value));
            return false;
        }
        r.time = t;
        return true;
    }
    case ReadingTable::FieldValue:
        r.value = value;
        return true;
    case ReadingTable::FieldUnit:
        r.unit = value;
        return true;
    case ReadingTable::FieldVRange:
        r.vRange = value;
        return true;
    case ReadingTable::FieldIRange:
        r.iRange = value;
        return true;
    }
    return false;
}

} // namespace

QString ReadingXmlPacket::timeToText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:sszzz"));
}

QTime ReadingXmlPacket::timeFromText(const QString &text)
{
    // hh:mm:ss with an optional three-digit millisecond part, written either
    // straight after the seconds or after a point. A date-time value gives
    // its time part.
    QString t = text.trimmed();
    const int tee = t.indexOf(QLatin1Char('T'));
    if (tee >= 0)
        t = t.mid(tee + 1);
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2}):(\\d{2}):(\\d{2})(?:[.,]?(\\d{3}))?$"));
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch())
        return QTime();
    const int ms = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    return QTime(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), ms);
}

QByteArray ReadingXmlPacket::toBytes(const ReadingTable &table)
{
    QString text;
    QXmlStreamWriter w(&text);
    // Written to a string, the declaration carries no encoding, as the packet
    // format has it; the bytes are produced below.
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("DATAPACKET"));
    w.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    w.writeStartElement(QStringLiteral("METADATA"));
    w.writeStartElement(QStringLiteral("FIELDS"));
    for (const FieldDef &f : kFields) {
        w.writeEmptyElement(QStringLiteral("FIELD"));
        w.writeAttribute(QStringLiteral("attrname"), QString::fromLatin1(f.name));
        switch (f.kind) {
        case FieldKind::Integer:
            w.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("i4"));
            break;
        case FieldKind::Time:
            w.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("time"));
            break;
        case FieldKind::String:
            w.writeAttribute(QStringLiteral("fieldtype"), QStringLiteral("string"));
            w.writeAttribute(QStringLiteral("WIDTH"), QString::number(ReadingTable::StringWidth));
            break;
        }
    }
    w.writeEndElement(); // FIELDS
    w.writeEmptyElement(QStringLiteral("PARAMS"));
    w.writeEndElement(); // METADATA
    w.writeStartElement(QStringLiteral("ROWDATA"));
    for (const ReadingRecord &r : table.records()) {
        w.writeEmptyElement(QStringLiteral("ROW"));
        if (r.hasNo)
            w.writeAttribute(QStringLiteral("No"), QString::number(r.no));
        if (r.time.isValid())
            w.writeAttribute(QStringLiteral("Time"), timeToText(r.time));
        const QString strings[] = {r.value, r.unit, r.vRange, r.iRange};
        for (int i = 0; i < 4; ++i) {
            // An empty field has no attribute.
            if (!strings[i].isEmpty())
                w.writeAttribute(QString::fromLatin1(kFields[i + 2].name), strings[i]);
        }
    }
    w.writeEndElement(); // ROWDATA
    w.writeEndElement(); // DATAPACKET
    w.writeEndDocument();
    // The packet keeps the document on one line, the root two blanks after
    // the declaration.
    const int declEnd = text.indexOf(QLatin1String("?>"));
    if (declEnd >= 0) {
        int rootStart = declEnd + 2;
        while (rootStart < text.size() && text.at(rootStart).isSpace())
            ++rootStart;
        text.replace(declEnd + 2, rootStart - declEnd - 2, QStringLiteral("  "));
    }
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return AnsiText::toGbkBytes(text);
}

bool ReadingXmlPacket::write(const ReadingTable &table, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    const QByteArray bytes = toBytes(table);
    if (file.write(bytes) != bytes.size()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool ReadingXmlPacket::parse(const QByteArray &bytes, QVector<ReadingRecord> *records,
                             QString *error)
{
    const QString text = decodeDocument(bytes);
    QXmlStreamReader xml(text);

    QVector<ReadingRecord> rows;
    QHash<QString, int> fieldOf; // attribute name -> table field
    bool sawPacket = false, sawFields = false, sawRowData = false;
    int rowNo = 0;

    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        const QXmlStreamAttributes attrs = xml.attributes();
        if (!sawPacket) {
            if (name != QLatin1String("DATAPACKET")) {
                setError(error,
                         QStringLiteral("the file is not a data packet (it starts with <%1>)")
                             .arg(name.toString()));
                return false;
            }
            sawPacket = true;
            continue;
        }
        if (name == QLatin1String("FIELDS")) {
            sawFields = true;
        } else if (name == QLatin1String("FIELD")) {
            const QString attrname = attrs.value(QLatin1String("attrname")).toString();
            const QString type = attrs.value(QLatin1String("fieldtype")).toString();
            int field = -1;
            for (int f = 0; f < ReadingTable::FieldCount; ++f) {
                if (attrname == QLatin1String(kFields[f].name))
                    field = f;
            }
            if (field < 0) {
                setError(error, QStringLiteral("the packet has the field \"%1\", which the reading "
                                               "table does not have")
                                    .arg(attrname));
                return false;
            }
            if (!typeFits(kFields[field].kind, type)) {
                setError(error,
                         QStringLiteral("field \"%1\" has the type \"%2\"").arg(attrname, type));
                return false;
            }
            fieldOf.insert(attrname, field);
        } else if (name == QLatin1String("ROWDATA")) {
            if (!sawFields) {
                setError(error, QStringLiteral("the packet has no field list"));
                return false;
            }
            sawRowData = true;
        } else if (name == QLatin1String("ROW")) {
            if (!sawRowData) {
                setError(error, QStringLiteral("a row stands outside ROWDATA"));
                return false;
            }
            ++rowNo;
            int state = 0;
            if (attrs.hasAttribute(QLatin1String("RowState")))
                state = attrs.value(QLatin1String("RowState")).toInt();
            if (state & kRowDeleted)
                continue;
            const bool modified = (state & kRowModified) && !rows.isEmpty();
            ReadingRecord r = modified ? rows.last() : ReadingRecord();
            for (const QXmlStreamAttribute &a : attrs) {
                const QString attr = a.name().toString();
                if (attr == QLatin1String("RowState"))
                    continue;
                const auto it = fieldOf.constFind(attr);
                if (it == fieldOf.constEnd()) {
                    setError(error,
                             QStringLiteral("row %1 has the value \"%2\", which is not a field "
                                            "of the packet")
                                 .arg(rowNo)
                                 .arg(attr));
                    return false;
                }
                if (!applyAttribute(r, it.value(), a.value().toString(), error, rowNo))
                    return false;
            }
            if (modified)
                rows.last() = r;
            else
                rows.append(r);
        }
    }
    if (xml.hasError()) {
        setError(error, QStringLiteral("line %1, column %2: %3")
                            .arg(xml.lineNumber())
                            .arg(xml.columnNumber())
                            .arg(xml.errorString()));
        return false;
    }
    if (!sawPacket) {
        setError(error, QStringLiteral("the file holds no data packet"));
        return false;
    }
    if (!sawRowData) {
        setError(error, QStringLiteral("the packet has no ROWDATA"));
        return false;
    }
    if (records)
        *records = rows;
    return true;
}

bool ReadingXmlPacket::read(ReadingTable &table, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QVector<ReadingRecord> rows;
    if (!parse(bytes, &rows, error))
        return false;
    table.replaceAll(rows);
    return true;
}
