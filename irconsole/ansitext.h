#ifndef ANSITEXT_H
#define ANSITEXT_H

// The program keeps its texts as Unicode. Where they leave the program
// (reading files, printouts) they are single-byte ANSI text of code page 936,
// so the ohm sign is written as the two bytes A6 B8.

#include <QByteArray>
#include <QString>

namespace AnsiText {

QByteArray toGbkBytes(const QString &text);
QString fromGbkBytes(const QByteArray &bytes);

} // namespace AnsiText

#endif // ANSITEXT_H
