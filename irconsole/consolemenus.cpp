#include "consolemenus.h"

#include "readingrecorder.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

ConsoleMenus::ConsoleMenus(QObject *parent) : QObject(parent) {}

ConsoleMenus *ConsoleMenus::fill(QMenuBar *bar)
{
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    QMenu *record = bar->addMenu(QStringLiteral("Record"));
    record->setObjectName(QStringLiteral("Record1"));
    return fill(file, record);
}

ConsoleMenus *ConsoleMenus::fill(QMenu *file, QMenu *record)
{
    auto *m = new ConsoleMenus(file);

    m->fileMenu = file;
    m->newAction = m->fileMenu->addAction(QStringLiteral("  New"));
    m->newAction->setObjectName(QStringLiteral("New"));
    m->openAction = m->fileMenu->addAction(QStringLiteral("  Open"));
    m->openAction->setObjectName(QStringLiteral("Open"));
    m->saveAsAction = m->fileMenu->addAction(QStringLiteral("  Save As..."));
    m->saveAsAction->setObjectName(QStringLiteral("Save_as"));
    m->fileMenu->addSeparator();
    m->exitAction = m->fileMenu->addAction(QStringLiteral("   Exit"));
    m->exitAction->setObjectName(QStringLiteral("miExit"));

    m->recordMenu = record;
    m->recordSetMenu = m->recordMenu->addMenu(QStringLiteral(" RecordSet"));
    m->recordSetMenu->setObjectName(QStringLiteral("RecordSet"));
    m->limitGroup = new QActionGroup(m);
    m->limitGroup->setExclusive(true);
    const struct
    {
        const char *text;
        int limit;
    } items[] = {{"1000", 1000},   {"5000", 5000},     {"10000", 10000},
                 {"50000", 50000}, {"100000", 100000}, {"Limitless", ReadingRecorder::Limitless}};
    for (const auto &item : items) {
        QAction *a = m->recordSetMenu->addAction(QString::fromLatin1(item.text));
        a->setObjectName(QStringLiteral("Limit") + QString::fromLatin1(item.text));
        a->setCheckable(true);
        a->setData(item.limit);
        a->setChecked(item.limit == ReadingRecorder::DefaultLimit);
        m->limitGroup->addAction(a);
        m->limitActions.append(a);
    }
    m->clearAllAction = m->recordMenu->addAction(QStringLiteral(" Clear All"));
    m->clearAllAction->setObjectName(QStringLiteral("ClearAll"));

    connect(m->limitGroup, &QActionGroup::triggered, m,
            [m](QAction *a) { emit m->limitChosen(limitOf(a)); });
    return m;
}

int ConsoleMenus::limitOf(const QAction *action)
{
    return action ? action->data().toInt() : 0;
}

int ConsoleMenus::checkedLimit() const
{
    return limitOf(limitGroup->checkedAction());
}
