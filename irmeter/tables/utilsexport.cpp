#include "utils.h"

#include <QAbstractTableModel>
#include <QDebug>
#include <QFile>
#include <QTextStream>

// Writes the model as CSV: the header texts, then one line per row, fields
// joined by "," without quoting, each line ended by a single LF. The result is
// true only when the file was opened and every byte reached it: a device that
// refuses the data (a full disk, a closed device) makes the export fail
// rather than leave a broken file behind a success message.
bool Utils::exportToCSV(QAbstractTableModel *model, const QString &fileName)
{
    if (!model)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        qDebug() << "exportToCSV: cannot open" << fileName << file.errorString();
        return false;
    }

    QTextStream out(&file);
    QString line;
    for (int c = 0; c < model->columnCount(); ++c)
        line += QStringLiteral("%1,").arg(
            model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
    line.chop(1);
    out << line << '\n';

    for (int r = 0; r < model->rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < model->columnCount(); ++c)
            line += QStringLiteral("%1,").arg(
                model->data(model->index(r, c), Qt::DisplayRole).toString());
        line.chop(1);
        out << line << '\n';
    }

    out.flush();
    bool ok = out.status() == QTextStream::Ok;
    ok = file.flush() && ok;
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (!ok)
        qDebug() << "exportToCSV: writing" << fileName << "failed:" << file.errorString();
    return ok;
}
