// The record area of the form: the record bar, the table of readings and the
// chart below it, placed in RecordBarArea, GridArea, ChartArea and
// ChartBarArea. INDataToTable is called for every frame that shows a main
// digit, with readingValue, readingUnit, functionText and remarkText set.

#include "tfrmtest.h"

#include "consoledialogs.h"
#include "consolemenus.h"
#include "consoleplotinclude.h"
#include "readingchart.h"
#include "readingrecorder.h"
#include "readingtable.h"
#include "recordactions.h"
#include "recordarea.h"
#include "recordbar.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

void TFrmTest::createRecordArea()
{
    RecordArea::Places places;
    places.form = this;
    places.surface = ClientContent;
    places.recordBar = RecordBarArea;
    places.grid = GridArea;
    places.chart = ChartArea;
    places.chartBar = ChartBarArea;
    places.fileMenu = FileMenu;
    places.recordMenu = RecordMenu;
    Record = new RecordArea(places, this);

    // Information boxes are the form's own; errors keep their title and icon.
    ConsoleDialogs *dialogs = Record->dialogs();
    const auto box = dialogs->message;
    dialogs->message = [this, box](const QString &title, const QString &text,
                                   ConsoleDialogs::Icon icon) {
        if (icon == ConsoleDialogs::Icon::Information && title.isEmpty())
            message(text);
        else
            box(title, text, icon);
    };

    RecordBar *bar = Record->recordBar();
    connect(bar->saveButton(), &QToolButton::clicked, this, &TFrmTest::Save_asClick);
    connect(bar->deleteButton(), &QToolButton::clicked, this, &TFrmTest::ClearRClick);
    connect(bar->openButton(), &QToolButton::clicked, this, &TFrmTest::OpenClick);
    connect(bar->printButton(), &QToolButton::clicked, this, &TFrmTest::MajPrintClick);
    connect(bar->recordSITime(), &QLineEdit::textChanged, this, &TFrmTest::RecordSITimeChange);

    ConsoleMenus *menus = Record->menus();
    connect(menus->newAction, &QAction::triggered, this, &TFrmTest::NewClick);
    connect(menus->openAction, &QAction::triggered, this, &TFrmTest::OpenClick);
    connect(menus->saveAsAction, &QAction::triggered, this, &TFrmTest::Save_asClick);
    connect(menus->exitAction, &QAction::triggered, this, &TFrmTest::miExitClick);
    connect(menus->clearAllAction, &QAction::triggered, this, &TFrmTest::ClearRClick);

    connect(Record->actions(), &RecordActions::repaintRequested, this, [this] { update(); });
    // The enlarged chart lies at the top of the scrolled content.
    connect(Record->chart(), &ReadingChart::enlargedChanged, this, [this](bool enlarged) {
        if (enlarged)
            ClientArea->verticalScrollBar()->setValue(0);
        else
            ClientArea->ensureWidgetVisible(Record->chart()->plot());
    });

    connect(Record->sampInterTime(), &QTimer::timeout, this, &TFrmTest::SampInterTimeTimer);
    Record->sampInterTime()->start();
}

void TFrmTest::INDataToTable(int)
{
    Record->recorder()->record({readingValue, readingUnit, functionText, remarkText});
}

void TFrmTest::SampInterTimeTimer()
{
    Record->recorder()->tick();
}

void TFrmTest::RecordSITimeChange()
{
    Record->recorder()->setIntervalText(Record->recordBar()->recordSITime()->text());
}

void TFrmTest::ClearRClick()
{
    Record->actions()->clearAll();
}

void TFrmTest::NewClick()
{
    Record->actions()->newSession();
}

void TFrmTest::Save_asClick()
{
    Record->actions()->saveAs();
}

void TFrmTest::OpenClick()
{
    Record->actions()->open();
}

void TFrmTest::MajPrintClick()
{
    Record->actions()->print();
}

void TFrmTest::miExitClick()
{
    Record->table()->clear();
    quitApplication();
}
