#include "readingtextfile.h"

#include "ansitext.h"
#include "readingtable.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTime>

namespace {

const char kNull[] = "NULL";

QString fieldForFile(const QString &text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? QString::fromLatin1(kNull) : t;
}

// Times as other programs write them: the table's own format first, then the
// usual long and short forms, with and without seconds, milliseconds or an
// AM/PM marker.
QTime parseTime(const QString &text, const QString &ownFormat)
{
    static const char *const formats[] = {"H:mm:ss",    "HH:mm:ss",   "H:mm:ss.zzz", "H:mm:ss AP",
                                          "h:mm:ss AP", "h:mm:ss ap", "H:mm",        "h:mm AP",
                                          "H:mm:sszzz", "H.mm.ss"};
    QTime t = QTime::fromString(text, ownFormat);
    if (t.isValid())
        return t;
    for (const char *f : formats) {
        t = QTime::fromString(text, QString::fromLatin1(f));
        if (t.isValid())
            return t;
    }
    return QTime();
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QByteArray ReadingTextFile::toBytes(const ReadingTable &table)
{
    QStringList titles;
    for (int f = 0; f < ReadingTable::FieldCount; ++f)
        titles << ReadingTable::fieldTitle(f);
    QString text = titles.join(QLatin1Char('\t')) + QLatin1String("\r\n");
    for (int row = 0; row < table.size(); ++row) {
        const ReadingRecord &r = table.record(row);
        QStringList parts;
        parts << (r.hasNo ? QString::number(r.no) : QString::fromLatin1(kNull));
        for (int f = ReadingTable::FieldTime; f < ReadingTable::FieldCount; ++f)
            parts << fieldForFile(table.displayText(row, f));
        text += parts.join(QLatin1Char('\t')) + QLatin1String("\r\n");
    }
    return AnsiText::toGbkBytes(text);
}

bool ReadingTextFile::write(const ReadingTable &table, const QString &path, QString *error)
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

bool ReadingTextFile::appendFromBytes(ReadingTable &table, const QByteArray &bytes, QString *error)
{
    const QString text = AnsiText::fromGbkBytes(bytes);
    // Lines end with CR LF, LF or CR alone.
    QStringList lines;
    QString current;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << current;
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines << current;

    for (int n = 1; n < lines.size(); ++n) {
        const QString &line = lines.at(n);
        if (line.isEmpty())
            continue; // a blank line holds no record
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() > ReadingTable::FieldCount) {
            setError(error, QStringLiteral("line %1 has %2 fields, the table has %3")
                                .arg(n + 1)
                                .arg(parts.size())
                                .arg(ReadingTable::FieldCount));
            return false;
        }
        ReadingRecord r;
        for (int f = 0; f < parts.size(); ++f) {
            const QString &part = parts.at(f);
            switch (f) {
            case ReadingTable::FieldNo: {
                // An empty number is what the writer puts out as "NULL".
                const QString t = part.trimmed();
                if (t.isEmpty() || t == QLatin1String(kNull))
                    break;
                bool ok = false;
                r.no = t.toInt(&ok);
                if (!ok) {
                    setError(
                        error,
                        QStringLiteral("line %1: \"%2\" is not a number").arg(n + 1).arg(part));
                    return false;
                }
                r.hasNo = true;
                break;
            }
            case ReadingTable::FieldTime: {
                const QString t = part.trimmed();
                if (t.isEmpty() || t == QLatin1String(kNull))
                    break;
                r.time = parseTime(t, table.timeFormat());
                if (!r.time.isValid()) {
                    setError(error, QStringLiteral("line %1: \"%2\" is not a time of day")
                                        .arg(n + 1)
                                        .arg(part));
                    return false;
                }
                break;
            }
            case ReadingTable::FieldValue:
                r.value = part;
                break;
            case ReadingTable::FieldUnit:
                r.unit = part;
                break;
            case ReadingTable::FieldVRange:
                r.vRange = part;
                break;
            case ReadingTable::FieldIRange:
                r.iRange = part;
                break;
            }
        }
        table.append(r);
    }
    return true;
}

bool ReadingTextFile::read(ReadingTable &table, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return false;
    }
    return appendFromBytes(table, bytes, error);
}
