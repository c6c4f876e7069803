#include "appstartup.h"
#include "demomode.h"
#include "templatewindow.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initIdentity(app);

    const QString language = getLanguage();
    QTranslator appTranslator;
    QTranslator qtTranslator;
    applyLanguage(language, appTranslator, qtTranslator);

    // Declared last so that it goes first, before the translators and the
    // application object.
    TemplateWindow window(nullptr, Qt::WindowFlags());
    window.show();

    // --demo: a virtual tester beside any real cable, opened at once.
    if (DemoMode::requested(argc, argv))
        (new DemoMode(&window))->start();
    return app.exec();
}
