#include "translationfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
QString applicationDir()
{
    // Empty before the application object exists.
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}
} // namespace

QStringList appTranslationCandidates()
{
    QStringList list{QStringLiteral("zh_CN.qm")};
    const QString dir = applicationDir();
    if (!dir.isEmpty()) {
        list << QDir(dir).filePath(QStringLiteral("zh_CN.qm"))
             << QDir(dir).filePath(QStringLiteral("../share/irmeter/translations/zh_CN.qm"));
    }
    return list;
}

QStringList qtTranslationCandidates()
{
    QStringList list{QStringLiteral("./translations/qt_zh_CN.qm")};
    const QString dir = applicationDir();
    if (!dir.isEmpty())
        list << QDir(dir).filePath(QStringLiteral("translations/qt_zh_CN.qm"));
    list << QDir(QLibraryInfo::location(QLibraryInfo::TranslationsPath))
                .filePath(QStringLiteral("qt_zh_CN.qm"));
    return list;
}

QString loadFirstTranslation(QTranslator &translator, const QStringList &candidates)
{
    for (const QString &path : candidates) {
        if (QFileInfo::exists(path) && translator.load(path))
            return path;
    }
    return QString();
}
