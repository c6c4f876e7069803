#include "appoptions.h"

#include <QDebug>
#include <QSettings>
#include <QVariant>

#include <climits>

namespace {
const char KeyGeometry[] = "geometry";
const char KeyLanguage[] = "Language";
const char KeySamplePoints[] = "SamplePoints";
const char KeySampleInterval[] = "SampleInterval";
const char KeyRecordAtTesttime[] = "RecordAtTesttime";
} // namespace

QString AppOptions::defaultFileName()
{
    return QStringLiteral("options.ini");
}

AppOptions AppOptions::load(const QString &fileName)
{
    AppOptions options;
    QSettings settings(fileName, QSettings::IniFormat);

    options.geometry = settings.value(QLatin1String(KeyGeometry), QByteArray()).toByteArray();
    options.language = settings.value(QLatin1String(KeyLanguage), 0).toString();

    const QVariant points = settings.value(QLatin1String(KeySamplePoints), -1);
    bool ok = false;
    // Read wide so that a number beyond int is refused, not truncated.
    const qlonglong pointsValue = points.toLongLong(&ok);
    if (ok && (pointsValue == -1 || (pointsValue > 0 && pointsValue <= INT_MAX))) {
        options.samplePoints = int(pointsValue);
    } else {
        qWarning() << "loadSetting: ignoring SamplePoints" << points.toString() << "in" << fileName
                   << "(expected -1 or a positive number); recording without a limit";
    }

    const QVariant interval = settings.value(QLatin1String(KeySampleInterval), 0);
    const qlonglong intervalValue = interval.toLongLong(&ok);
    if (ok && intervalValue >= 0 && intervalValue <= INT_MAX) {
        options.sampleInterval = int(intervalValue);
    } else {
        qWarning() << "loadSetting: ignoring SampleInterval" << interval.toString() << "in"
                   << fileName << "(expected milliseconds, 0 or more); recording every reading";
    }

    options.recordAtTesttime = settings.value(QLatin1String(KeyRecordAtTesttime), false).toBool();
    return options;
}

bool AppOptions::save(const QString &fileName) const
{
    QSettings settings(fileName, QSettings::IniFormat);
    settings.setValue(QLatin1String(KeyGeometry), geometry);
    settings.setValue(QLatin1String(KeyLanguage), language);
    settings.setValue(QLatin1String(KeySamplePoints), samplePoints);
    settings.setValue(QLatin1String(KeySampleInterval), sampleInterval);
    settings.setValue(QLatin1String(KeyRecordAtTesttime), recordAtTesttime);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        qWarning() << "saveSetting: could not write" << fileName;
        return false;
    }
    return true;
}
