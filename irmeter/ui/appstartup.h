#ifndef APPSTARTUP_H
#define APPSTARTUP_H

#include <QString>

class QCoreApplication;
class QTranslator;

// Model code compiled into this build ("NORWEN2" or "NORWEN1") and the
// application version; both are set before main() runs.
extern const QString g_modelCode;
extern const QString g_appVersion;

// Settings file shared with the options dialog, relative to the working
// directory.
extern const char *const kOptionsFile;

// The "Language" value of the settings file; empty when the file or the key
// is missing.
QString getLanguage();

// Fills the identity singleton from the build's model code and version and
// gives the application its organisation identity and object name.
void initIdentity(QCoreApplication &app);

// Chooses the locale for `language` and, for Chinese ("zh_CN" exactly), loads
// the application's and the framework's translations into the two
// translators and installs those that loaded. Returns true when the Chinese
// branch was taken. Missing translation files are skipped.
bool applyLanguage(const QString &language, QTranslator &appTranslator, QTranslator &qtTranslator);

#endif // APPSTARTUP_H
