#ifndef UTILS_H
#define UTILS_H

#include <QObject>
#include <QStringList>

class QAbstractTableModel;

// Small static helpers shared by the meter link and the export.
class Utils : public QObject
{
    Q_OBJECT
public:
    // Sum of `len` bytes at `data`, each taken as 0..255; 0 for len <= 0.
    // Callers keep the low 16 bits.
    static int getCheckSum(char *data, int len);

    // Waits `ms` milliseconds of wall-clock time while letting the caller's
    // event loop process pending events, each turn for at most `sliceMs`.
    static void delayMs(uint ms, uint sliceMs);

    // ---- Table export helpers (CSV writing, child-object search) ----
    // Declared here, defined in irmeter/tables/.

    // Writes the model's header and rows to `fileName` as CSV (no quoting, LF
    // line ends, the file truncated first). False when the file cannot be
    // opened or the data does not reach it completely.
    static bool exportToCSV(QAbstractTableModel *model, const QString &fileName);

    // Children of `parent` whose class name is one of `classNames` (all when
    // empty); with `recursive` also the matching descendants, depth first.
    static QList<QObject *> getChildObject(QObject *parent, const QStringList &classNames,
                                           bool recursive);
    // ---- end of table export helpers ----
};

#endif // UTILS_H
