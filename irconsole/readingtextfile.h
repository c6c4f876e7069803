#ifndef READINGTEXTFILE_H
#define READINGTEXTFILE_H

#include <QByteArray>
#include <QString>

class ReadingTable;

// The tab-separated text file of the reading table: a titles line, one line
// per record, "NULL" for an empty field, CR LF line ends, GBK bytes.
class ReadingTextFile
{
public:
    static QByteArray toBytes(const ReadingTable &table);
    static bool write(const ReadingTable &table, const QString &path, QString *error = nullptr);

    // Appends the records of the file after those already in the table. The
    // first line (the titles) is skipped. On a line that does not fit the
    // table the reading stops with false; the records before it stay.
    static bool appendFromBytes(ReadingTable &table, const QByteArray &bytes,
                                QString *error = nullptr);
    static bool read(ReadingTable &table, const QString &path, QString *error = nullptr);
};

#endif // READINGTEXTFILE_H
