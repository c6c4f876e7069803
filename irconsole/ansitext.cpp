#include "ansitext.h"

#include <QTextCodec>

namespace {

QTextCodec *gbk()
{
    static QTextCodec *codec = QTextCodec::codecForName("GBK");
    return codec;
}

} // namespace

namespace AnsiText {

QByteArray toGbkBytes(const QString &text)
{
    if (QTextCodec *codec = gbk())
        return codec->fromUnicode(text);
    // Without the codec only the ohm sign needs special care; the other
    // texts of the program are plain ASCII.
    QByteArray out;
    for (const QChar c : text) {
        if (c == QChar(0x03A9))
            out.append("\xA6\xB8", 2);
        else if (c.unicode() < 0x80)
            out.append(char(c.unicode()));
        else
            out.append('?');
    }
    return out;
}

QString fromGbkBytes(const QByteArray &bytes)
{
    if (QTextCodec *codec = gbk())
        return codec->toUnicode(bytes);
    QString out;
    for (int i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes.at(i));
        if (b == 0xA6 && i + 1 < bytes.size() &&
            static_cast<unsigned char>(bytes.at(i + 1)) == 0xB8) {
            out.append(QChar(0x03A9));
            ++i;
        } else if (b < 0x80) {
            out.append(QLatin1Char(char(b)));
        } else {
            out.append(QChar::ReplacementCharacter);
        }
    }
    return out;
}

} // namespace AnsiText
