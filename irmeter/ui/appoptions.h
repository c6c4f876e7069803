#ifndef APPOPTIONS_H
#define APPOPTIONS_H

#include <QByteArray>
#include <QString>

// The five settings kept in the INI file "options.ini": window geometry,
// interface language and the three recording options. A missing file or key
// gives the default, which records every reading.
struct AppOptions
{
    // Settings file, relative to the working directory.
    static QString defaultFileName();

    QByteArray geometry;                    // from QWidget::saveGeometry(); empty when none
    QString language = QStringLiteral("0"); // "zh_CN", "en_US", or "0" when never chosen
    int samplePoints = -1;                  // most rows the Live table records; -1 no limit
    int sampleInterval = 0;                 // ms between two recorded readings; 0 every reading
    bool recordAtTesttime = false;          // record only readings taken while a test runs

    // Reads the file. A "SamplePoints" that is not -1 or a positive number,
    // and a "SampleInterval" that is not a number of zero or more, are logged
    // and replaced by their defaults, so a damaged file never stops recording.
    static AppOptions load(const QString &fileName = defaultFileName());

    // Writes "geometry", "Language", "SamplePoints", "SampleInterval" and
    // "RecordAtTesttime", in this order. False (and a log line) when the file
    // could not be written.
    bool save(const QString &fileName = defaultFileName()) const;
};

#endif // APPOPTIONS_H
