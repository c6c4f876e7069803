#include "consoledemo.h"
#include "tfrmtest.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("irconsole"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Attach a virtual tester and its cable."));
    const QCommandLineOption autoConnect(QStringLiteral("connect"),
                                         QStringLiteral("Connect the cable at start."));
    parser.addOption(demo);
    parser.addOption(autoConnect);
    parser.process(app);

    ConsoleDemo demoRig;
    if (parser.isSet(demo))
        demoRig.start();

    TFrmTest form;
    form.show();
    if (parser.isSet(demo) || parser.isSet(autoConnect))
        QTimer::singleShot(300, &form, &TFrmTest::Panel2Click);
    return app.exec();
}
