#ifndef TRANSLATIONFILES_H
#define TRANSLATIONFILES_H

#include <QString>
#include <QStringList>

class QTranslator;

// Where the Chinese translations are looked for, first match wins.
// The application's texts: "zh_CN.qm" in the working directory, then beside
// the executable, then in the installed data directory.
QStringList appTranslationCandidates();
// The framework's texts: "./translations/qt_zh_CN.qm", the same beside the
// executable, then the framework's own translations directory.
QStringList qtTranslationCandidates();

// Loads the first candidate that exists and loads; returns its path, or an
// empty string when none did.
QString loadFirstTranslation(QTranslator &translator, const QStringList &candidates);

#endif // TRANSLATIONFILES_H
