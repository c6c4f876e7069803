#ifndef READINGXMLPACKET_H
#define READINGXMLPACKET_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include "readingtable.h"

// The reading table as an XML data packet: DATAPACKET Version 2.0 with the
// field list in METADATA and one ROW per record in ROWDATA, the fields as
// attributes. Strings are single-byte ANSI text (GBK), as the rest of the
// program's files.
class ReadingXmlPacket
{
public:
    static QByteArray toBytes(const ReadingTable &table);
    static bool write(const ReadingTable &table, const QString &path, QString *error = nullptr);

    // Parses a whole packet; nothing is returned unless all of it is sound.
    static bool parse(const QByteArray &bytes, QVector<ReadingRecord> *records,
                      QString *error = nullptr);
    // Replaces the table's records with those of the file. On any error the
    // table is left as it was.
    static bool read(ReadingTable &table, const QString &path, QString *error = nullptr);

    // Field value texts of the packet format.
    static QString timeToText(const QTime &time);
    static QTime timeFromText(const QString &text);
};

#endif // READINGXMLPACKET_H
