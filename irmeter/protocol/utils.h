#ifndef UTILS_H
#define UTILS_H

#include <QObject>

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
    // ---- end of table export helpers ----
};

#endif // UTILS_H
