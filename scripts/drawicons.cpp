// Draws the tool-bar pictures and the application icon of irmeter into
// irmeter/resources/images. Build and run it with scripts/drawicons.sh; the
// generated files are committed, so a normal build never needs this program.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <QtMath>
#include <cstdio>

namespace {

const int Size = 32;

QImage canvas(int size = Size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void begin(QPainter &p, QImage &img)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
}

QLinearGradient vertical(const QColor &top, const QColor &bottom, qreal size = Size)
{
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QImage drawStart()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    p.setPen(QPen(QColor("#1b6e20"), 1.5));
    p.setBrush(vertical(QColor("#7ee081"), QColor("#2e9e35")));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QPainterPath tri;
    tri.moveTo(12, 8.5);
    tri.lineTo(24, 16);
    tri.lineTo(12, 23.5);
    tri.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(tri);
    return img;
}

QImage drawPause()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    p.setPen(QPen(QColor("#8a5a00"), 1.5));
    p.setBrush(vertical(QColor("#ffd36b"), QColor("#e29b00")));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(10, 9, 4.5, 14), 1, 1);
    p.drawRoundedRect(QRectF(17.5, 9, 4.5, 14), 1, 1);
    return img;
}

QImage drawOptions()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    QPainterPath gear;
    const QPointF c(16, 16);
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        // Alternate between the tooth tips and the gaps; each tooth is flat.
        const qreal a0 = (i - 0.5) * M_PI / teeth;
        const qreal a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = (i % 2 == 0) ? 14.5 : 11;
        const QPointF p0 = c + QPointF(r * qCos(a0), r * qSin(a0));
        const QPointF p1 = c + QPointF(r * qCos(a1), r * qSin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(QColor("#37474f"), 1.2));
    p.setBrush(vertical(QColor("#b0bec5"), QColor("#607d8b")));
    p.drawPath(gear);
    return img;
}

QImage drawDelete()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    p.setPen(QPen(QColor("#5d4037"), 1.2));
    p.setBrush(vertical(QColor("#e0e0e0"), QColor("#9e9e9e")));
    // Bin body, lid and handle.
    QPainterPath body;
    body.moveTo(8, 10);
    body.lineTo(24, 10);
    body.lineTo(22.5, 29);
    body.lineTo(9.5, 29);
    body.closeSubpath();
    p.drawPath(body);
    p.drawRoundedRect(QRectF(5.5, 6, 21, 4), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(12.5, 2.5, 7, 3.5), 1, 1);
    p.setPen(QPen(QColor("#616161"), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {12.5, 16.0, 19.5})
        p.drawLine(QPointF(x, 13.5), QPointF(x, 26));
    // A red cross over the corner says "remove".
    p.setPen(QPen(QColor("#d32f2f"), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 18), QPointF(29, 26));
    p.drawLine(QPointF(29, 18), QPointF(21, 26));
    return img;
}

QImage drawExport()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    // A sheet with table lines ...
    p.setPen(QPen(QColor("#455a64"), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 3.5, 18, 25));
    p.setPen(QPen(QColor("#90a4ae"), 1));
    for (int y = 9; y <= 24; y += 5)
        p.drawLine(QPointF(6, y), QPointF(19, y));
    p.drawLine(QPointF(11, 6), QPointF(11, 26));
    // ... and an arrow leaving it to the right.
    QPainterPath arrow;
    arrow.moveTo(14, 14);
    arrow.lineTo(22, 14);
    arrow.lineTo(22, 9.5);
    arrow.lineTo(30.5, 17.5);
    arrow.lineTo(22, 25.5);
    arrow.lineTo(22, 21);
    arrow.lineTo(14, 21);
    arrow.closeSubpath();
    p.setPen(QPen(QColor("#0d47a1"), 1.2));
    p.setBrush(vertical(QColor("#64b5f6"), QColor("#1565c0")));
    p.drawPath(arrow);
    return img;
}

QImage drawClose()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    p.setPen(QPen(QColor("#8e0000"), 1.5));
    p.setBrush(vertical(QColor("#ff7961"), QColor("#c62828")));
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    return img;
}

QImage drawSave()
{
    QImage img = canvas();
    QPainter p;
    begin(p, img);
    // A floppy disk: body, shutter and label.
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(25, 3);
    body.lineTo(29, 7);
    body.lineTo(29, 29);
    body.lineTo(3, 29);
    body.closeSubpath();
    p.setPen(QPen(QColor("#0d2a4a"), 1.2));
    p.setBrush(vertical(QColor("#3f7fc4"), QColor("#1d4f8a")));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#cfd8dc"));
    p.drawRect(QRectF(9, 3.5, 13, 9));
    p.setBrush(QColor("#1d4f8a"));
    p.drawRect(QRectF(17, 5, 3, 6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 16, 18, 11), 1, 1);
    p.setPen(QPen(QColor("#90a4ae"), 1));
    p.drawLine(QPointF(9.5, 20), QPointF(22.5, 20));
    p.drawLine(QPointF(9.5, 23.5), QPointF(22.5, 23.5));
    return img;
}

// The application icon: a tester's dial with a needle and an omega sign.
QImage drawApp(int size)
{
    QImage img = canvas(size);
    QPainter p;
    begin(p, img);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor("#263238"), 1.2));
    p.setBrush(vertical(QColor("#ffca28"), QColor("#f57f17")));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
    p.setBrush(QColor("#fffde7"));
    p.drawRoundedRect(QRectF(5, 5, 22, 14), 2, 2);
    // Scale marks along an arc and the needle.
    const QPointF pivot(16, 19);
    p.setPen(QPen(QColor("#37474f"), 1));
    for (int i = 0; i <= 6; ++i) {
        const qreal a = qDegreesToRadians(150.0 - i * 20.0);
        p.drawLine(pivot + QPointF(10 * qCos(a), -10 * qSin(a)),
                   pivot + QPointF(12 * qCos(a), -12 * qSin(a)));
    }
    p.setPen(QPen(QColor("#d32f2f"), 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal needle = qDegreesToRadians(55.0);
    p.drawLine(pivot, pivot + QPointF(11 * qCos(needle), -11 * qSin(needle)));
    // Omega drawn as a path so that no font is needed.
    QPainterPath omega;
    omega.moveTo(10.5, 28);
    omega.lineTo(14, 28);
    omega.lineTo(14, 26.5);
    omega.arcTo(QRectF(10.5, 20.5, 11, 8), 235, -290);
    omega.lineTo(18, 28);
    omega.lineTo(21.5, 28);
    p.setPen(QPen(QColor("#263238"), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(omega);
    return img;
}

// One icon-directory image: a 32-bit DIB (height doubled for the AND mask)
// followed by the 1-bit AND mask, both bottom-up.
QByteArray dibEntry(const QImage &src)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width();
    const int h = img.height();
    QByteArray out;
    auto put32 = [&out](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto put16 = [&out](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    const int maskStride = ((w + 31) / 32) * 4;
    put32(40);
    put32(quint32(w));
    put32(quint32(h * 2));
    put16(1);
    put16(32);
    put32(0);
    put32(quint32(w * h * 4 + maskStride * h));
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            out.append(char(qAlpha(line[x])));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

QByteArray icoFile(const QList<QImage> &images)
{
    QByteArray head;
    QByteArray data;
    auto put = [](QByteArray &a, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            a.append(char((v >> (8 * i)) & 0xff));
    };
    put(head, 0, 2);
    put(head, 1, 2);
    put(head, quint32(images.size()), 2);
    quint32 offset = 6 + 16 * images.size();
    QList<QByteArray> entries;
    for (const QImage &img : images)
        entries.append(dibEntry(img));
    for (int i = 0; i < images.size(); ++i) {
        put(head, quint32(images[i].width() & 0xff), 1);
        put(head, quint32(images[i].height() & 0xff), 1);
        put(head, 0, 1);
        put(head, 0, 1);
        put(head, 1, 2);
        put(head, 32, 2);
        put(head, quint32(entries[i].size()), 4);
        put(head, offset, 4);
        offset += quint32(entries[i].size());
        data.append(entries[i]);
    }
    return head + data;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    const struct
    {
        const char *name;
        QImage image;
    } pictures[] = {
        {"start.png", drawStart()},   {"pause.png", drawPause()},   {"options.png", drawOptions()},
        {"delete.png", drawDelete()}, {"export.png", drawExport()}, {"close.png", drawClose()},
        {"save.png", drawSave()},
    };
    bool ok = true;
    for (const auto &pic : pictures) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(pic.name);
        if (!pic.image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    ok = writeFile(dir + QStringLiteral("/app2.ico"), icoFile({drawApp(32), drawApp(16)})) && ok;
    return ok ? 0 : 1;
}
