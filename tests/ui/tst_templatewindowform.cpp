// The main window's form: object tree, layouts, tool bar, tab bars, the
// stored-mode buttons and what the constructor adjusts after the form.
#include "proglobal.h"
#include "templatewindow.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <QtTest>

class TstTemplateWindowForm : public QObject
{
    Q_OBJECT
private slots:
    void titleFromIdentity();
    void objectTree_data();
    void objectTree();
    void layouts_data();
    void layouts();
    void cells_data();
    void cells();
    void texts_data();
    void texts();
    void actions();
    void toolBarOrderAndCloseAtRightEnd();
    void tabBars();
    void storedModeButtons();
    void liveTableHeader();
    void cannotShrinkBelowContent();
};

void TstTemplateWindowForm::titleFromIdentity()
{
    const QString oldTitle = ProGlobal::instance()->appTitle();
    const QString oldVersion = ProGlobal::instance()->appVersion();
    ProGlobal::instance()->setAppTitle(QStringLiteral("T"));
    ProGlobal::instance()->setAppVersion(QStringLiteral("1.0"));
    TemplateWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("T 1.0"));
    QCOMPARE(w.objectName(), QStringLiteral("TemplateWindow"));
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.size(), QSize(1026, 701));
    ProGlobal::instance()->setAppTitle(oldTitle);
    ProGlobal::instance()->setAppVersion(oldVersion);
}

void TstTemplateWindowForm::objectTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const char *const rows[][2] = {
        {"widget", "QWidget"},
        {"toolBarMain", "QToolBar"},
        {"tabWidget", "QTabWidget"},
        {"tab1", "QWidget"},
        {"widgetCH1", "QWidget"},
        {"splitterMain", "QSplitter"},
        {"layoutWidget", "QWidget"},
        {"lcd", "QFrame"},
        {"tabWgTV", "QTabWidget"},
        {"tabLive", "QWidget"},
        {"tv1", "QTableView"},
        {"tabStored", "QWidget"},
        {"frame", "QFrame"},
        {"tvStored", "QTableView"},
        {"splitter", "QSplitter"},
        {"layoutWidget1", "QWidget"},
        {"tabWidgetChart", "QTabWidget"},
        {"tabCH1", "QWidget"},
        {"plot1", "QCustomPlot"},
        {"lcdTesting", "QFrame"},
        {"btnStoredIR", "QPushButton"},
        {"btnStoredRES", "QPushButton"},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    const char *const labels[] = {
        "lcdTop1",          "lcdTop2",          "lcdLeft1",         "lcdVSet",
        "lcdLeft2",         "lcdVOut",          "lcdLeft3",         "lcdLC",
        "lcdGreaterSign_2", "lcdMainTop",       "lcdGreaterSign_4", "lcdGreaterSign",
        "lcdMain",          "lcdGreaterSign_6", "lcdGreaterSign_3", "lcdMainBottom",
        "lcdGreaterSign_5", "lcdRight1",        "lcdRight11",       "lcdRight2",
        "lcdRight21",       "lcdRight3",        "lcdRight31",       "lcdTimeSet1",
        "lcdTimeSet11",     "lcdTimeSet2",      "lcdTimeSet21",     "lcdHeader1_3",
        "lcdHeader2_3",     "lcdHeader3_3",
    };
    for (const char *l : labels)
        QTest::newRow(l) << QString::fromLatin1(l) << QStringLiteral("QLabel");
}

void TstTemplateWindowForm::objectTree()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    TemplateWindow w;
    QList<QWidget *> found = w.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QString::fromLatin1(found.first()->metaObject()->className()), className);
}

void TstTemplateWindowForm::layouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("margin");
    const struct
    {
        const char *name;
        int spacing, margin;
    } rows[] = {
        {"gridLayout_5", 6, 11},  {"gridLayout_16", 6, 1}, {"gridLayout_7", 0, 0},
        {"gridLayout_11", 6, 11}, {"gridLayout_6", 6, 0},  {"gridLayout_20", 6, 11},
        {"gridLayout_21", 6, 11}, {"gridLayout", 6, 0},    {"gridLayout_3", 6, 0},
        {"gridLayout_17", 0, 0},  {"gridLayout_24", 1, 1}, {"gridLayout_19", 6, 3},
        {"gridLayout_2", 6, 3},   {"gridLayout_4", 6, 3},  {"gridLayout_14", 6, 3},
        {"gridLayout_8", 6, 0},   {"gridLayout_12", 6, 0}, {"gridLayout_9", 6, 0},
        {"gridLayout_15", 6, 0},  {"gridLayout_36", 6, 3}, {"gridLayout_18", 6, 0},
        {"gridLayout_22", 6, 0},  {"gridLayout_25", 6, 0}, {"gridLayout_13", 6, 3},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << r.spacing << r.margin;
}

void TstTemplateWindowForm::layouts()
{
    QFETCH(QString, name);
    QFETCH(int, spacing);
    QFETCH(int, margin);
    TemplateWindow w;
    auto *layout = w.findChild<QGridLayout *>(name);
    QVERIFY(layout);
    QCOMPARE(layout->spacing(), spacing);
    QCOMPARE(layout->contentsMargins(), QMargins(margin, margin, margin, margin));
}

namespace {
// Grid position of a widget or a nested layout inside `layout`.
bool cellOf(QGridLayout *layout, const QString &child, int &row, int &col, int &rowSpan,
            int &colSpan)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        QObject *o = item->widget() ? static_cast<QObject *>(item->widget())
                                    : static_cast<QObject *>(item->layout());
        if (o && o->objectName() == child) {
            layout->getItemPosition(i, &row, &col, &rowSpan, &colSpan);
            return true;
        }
    }
    return false;
}
} // namespace

void TstTemplateWindowForm::cells_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("child");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("colSpan");
    const struct
    {
        const char *layout, *child;
        int row, col, colSpan;
    } rows[] = {
        {"gridLayout_5", "widget", 0, 0, 1},
        {"gridLayout_16", "toolBarMain", 0, 0, 1},
        {"gridLayout_16", "tabWidget", 1, 0, 1},
        {"gridLayout_7", "widgetCH1", 0, 0, 1},
        {"gridLayout_11", "splitterMain", 1, 0, 1},
        {"gridLayout_6", "lcd", 1, 0, 1},
        {"gridLayout_6", "tabWgTV", 3, 0, 1},
        {"gridLayout_20", "tv1", 0, 0, 1},
        {"gridLayout_21", "frame", 0, 0, 1},
        {"gridLayout_21", "tvStored", 1, 0, 1},
        {"gridLayout", "gridLayout_3", 0, 0, 1},
        {"gridLayout_3", "tabWidgetChart", 0, 0, 1},
        {"gridLayout_17", "plot1", 0, 0, 1},
        {"gridLayout_19", "gridLayout_2", 0, 0, 1},
        {"gridLayout_19", "gridLayout_4", 1, 0, 1},
        {"gridLayout_19", "gridLayout_13", 2, 0, 1},
        {"gridLayout_2", "lcdTop1", 0, 0, 1},
        {"gridLayout_2", "lcdTop2", 0, 1, 1},
        {"gridLayout_2", "lcdTesting", 0, 2, 1},
        {"gridLayout_4", "gridLayout_14", 0, 0, 1},
        {"gridLayout_4", "gridLayout_8", 0, 1, 1},
        {"gridLayout_4", "gridLayout_36", 0, 2, 1},
        {"gridLayout_4", "gridLayout_18", 1, 0, 3},
        {"gridLayout_14", "lcdLeft1", 1, 0, 1},
        {"gridLayout_14", "lcdVSet", 1, 1, 1},
        {"gridLayout_14", "lcdLeft3", 3, 0, 1},
        {"gridLayout_14", "lcdLC", 3, 1, 1},
        {"gridLayout_8", "gridLayout_12", 1, 0, 1},
        {"gridLayout_8", "gridLayout_9", 3, 0, 1},
        {"gridLayout_8", "gridLayout_15", 5, 0, 1},
        {"gridLayout_12", "lcdGreaterSign_2", 0, 0, 1},
        {"gridLayout_12", "lcdMainTop", 0, 1, 1},
        {"gridLayout_12", "lcdGreaterSign_4", 0, 2, 1},
        {"gridLayout_9", "lcdGreaterSign", 0, 0, 1},
        {"gridLayout_9", "lcdMain", 0, 1, 1},
        {"gridLayout_9", "lcdGreaterSign_6", 0, 2, 1},
        {"gridLayout_15", "lcdGreaterSign_3", 0, 0, 1},
        {"gridLayout_15", "lcdMainBottom", 0, 1, 1},
        {"gridLayout_15", "lcdGreaterSign_5", 0, 2, 1},
        {"gridLayout_36", "lcdRight1", 0, 0, 1},
        {"gridLayout_36", "lcdRight21", 1, 1, 1},
        {"gridLayout_36", "lcdRight31", 2, 1, 1},
        {"gridLayout_18", "gridLayout_22", 0, 0, 1},
        {"gridLayout_18", "gridLayout_25", 0, 1, 1},
        {"gridLayout_22", "lcdTimeSet11", 0, 1, 1},
        {"gridLayout_25", "lcdTimeSet21", 0, 1, 1},
        {"gridLayout_13", "lcdHeader3_3", 0, 2, 1},
        {"gridLayout_24", "btnStoredIR", 0, 0, 1},
        {"gridLayout_24", "btnStoredCOMP", 0, 4, 1},
        {"gridLayout_24", "btnStoredRES", 0, 7, 1},
    };
    for (const auto &r : rows)
        QTest::newRow(r.child) << QString::fromLatin1(r.layout) << QString::fromLatin1(r.child)
                               << r.row << r.col << r.colSpan;
}

void TstTemplateWindowForm::cells()
{
    QFETCH(QString, layout);
    QFETCH(QString, child);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(int, colSpan);
    TemplateWindow w;
    auto *grid = w.findChild<QGridLayout *>(layout);
    QVERIFY(grid);
    int r = -1, c = -1, rs = -1, cs = -1;
    QVERIFY2(cellOf(grid, child, r, c, rs, cs), qPrintable(child));
    QCOMPARE(r, row);
    QCOMPARE(c, col);
    QCOMPARE(rs, 1);
    QCOMPARE(cs, colSpan);
}

void TstTemplateWindowForm::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const char *const rows[][2] = {
        {"lcdLeft1", "Vset:"},  {"lcdVSet", "0 V"},     {"lcdLeft2", "Vout:"},
        {"lcdVOut", "0 V"},     {"lcdLeft3", "LC:"},    {"lcdLC", "0 uA"},
        {"lcdMain", "0"},       {"lcdRight1", "RES1:"}, {"lcdRight2", "RES2:"},
        {"lcdRight3", "Time:"}, {"lcdTop1", ""},        {"lcdRight11", ""},
        {"lcdGreaterSign", ""}, {"lcdTimeSet11", ""},
    };
    for (const auto &r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
}

void TstTemplateWindowForm::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    TemplateWindow w;
    auto *label = w.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    const Qt::Alignment expected =
        name == QLatin1String("lcdGreaterSign") ? (Qt::AlignRight | Qt::AlignVCenter)
        : name == QLatin1String("lcdTimeSet11") ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                : Qt::Alignment(Qt::AlignCenter);
    QCOMPARE(label->alignment(), expected);
}

void TstTemplateWindowForm::actions()
{
    TemplateWindow w;
    const struct
    {
        const char *name, *text;
        bool checkable;
    } rows[] = {
        {"actionStart", "Start", false},     {"actionPause", "Pause", true},
        {"actionOptions", "Options", false}, {"actionClear", "Clear", false},
        {"actionExport", "Export", false},   {"actionClose", "Close", false},
        {"actionSaveImage", "Save", false},
    };
    for (const auto &r : rows) {
        auto *a = w.findChild<QAction *>(QString::fromLatin1(r.name));
        QVERIFY2(a, r.name);
        QCOMPARE(a->text(), QString::fromLatin1(r.text));
        QCOMPARE(a->isCheckable(), r.checkable);
        QVERIFY2(!a->icon().isNull(), r.name);
        QVERIFY(a->shortcut().isEmpty());
    }
    // Fonts of the main readings and the title.
    for (const char *n : {"lcdMainTop", "lcdMain", "lcdMainBottom"}) {
        auto *l = w.findChild<QLabel *>(QString::fromLatin1(n));
        QCOMPARE(l->font().pointSize(), 12);
        QVERIFY(l->font().bold());
    }
    QVERIFY(w.findChild<QLabel *>(QStringLiteral("lcdTop1"))->font().bold());
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lcdMain"))->minimumWidth(), 120);
    auto *testing = w.findChild<QFrame *>(QStringLiteral("lcdTesting"));
    QCOMPARE(testing->minimumSize(), QSize(15, 15));
    QCOMPARE(testing->maximumSize(), QSize(15, 15));
    for (const char *n : {"lcdGreaterSign", "lcdGreaterSign_2", "lcdGreaterSign_6"}) {
        auto *l = w.findChild<QLabel *>(QString::fromLatin1(n));
        QCOMPARE(l->minimumWidth(), 30);
        QCOMPARE(l->maximumWidth(), 30);
    }
}

void TstTemplateWindowForm::toolBarOrderAndCloseAtRightEnd()
{
    TemplateWindow w;
    auto *bar = w.findChild<QToolBar *>(QStringLiteral("toolBarMain"));
    QCOMPARE(bar->iconSize(), QSize(16, 16));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(!bar->isFloatable());

    const QList<QAction *> acts = bar->actions();
    QStringList order;
    for (QAction *a : acts) {
        if (a->isSeparator())
            order << QStringLiteral("|");
        else if (qobject_cast<QWidgetAction *>(a))
            order << QStringLiteral("spacer");
        else
            order << a->objectName();
    }
    QCOMPARE(order, QStringList({"actionStart", "actionPause", "|", "actionOptions", "|",
                                 "actionClear", "actionExport", "spacer", "actionClose"}));

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int width : {1100, 1400}) {
        w.resize(width, 750);
        QTRY_COMPARE_WITH_TIMEOUT(w.width(), width, 5000);
        QWidget *close = bar->widgetForAction(acts.last());
        QVERIFY(close);
        // Close sits at the right edge, far from the other buttons.
        QTRY_VERIFY_WITH_TIMEOUT(close->geometry().right() > bar->width() - 20, 5000);
        QVERIFY(close->geometry().left() > bar->widgetForAction(acts[6])->geometry().right() + 300);
    }
}

void TstTemplateWindowForm::tabBars()
{
    TemplateWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *tabWidget = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    auto *chart = w.findChild<QTabWidget *>(QStringLiteral("tabWidgetChart"));
    auto *tables = w.findChild<QTabWidget *>(QStringLiteral("tabWgTV"));
    QVERIFY(!tabWidget->tabBar()->isVisible());
    QVERIFY(!chart->tabBar()->isVisible());
    QVERIFY(tables->tabBar()->isVisible());
    QCOMPARE(tabWidget->tabPosition(), QTabWidget::North);
    QCOMPARE(tabWidget->tabText(0), QString());
    QCOMPARE(chart->tabText(0), QStringLiteral("Tab 1"));
    QCOMPARE(tables->count(), 2);
    QCOMPARE(tables->tabText(0), QStringLiteral("Live"));
    QCOMPARE(tables->tabText(1), QStringLiteral("Stored"));
    for (QTabWidget *t : {tabWidget, chart, tables})
        QCOMPARE(t->currentIndex(), 0);

    // The splitter gives the chart pane about twice the panel's width.
    auto *splitter = w.findChild<QSplitter *>(QStringLiteral("splitterMain"));
    QCOMPARE(splitter->orientation(), Qt::Horizontal);
    QCOMPARE(splitter->count(), 2);
    const QList<int> sizes = splitter->sizes();
    QVERIFY2(sizes[1] > sizes[0], qPrintable(QString("%1 %2").arg(sizes[0]).arg(sizes[1])));
}

void TstTemplateWindowForm::storedModeButtons()
{
    TemplateWindow w;
    const char *const names[] = {"btnStoredIR",   "btnStoredTime", "btnStoredPI",   "btnStoredDAR",
                                 "btnStoredCOMP", "btnStoredCAP",  "btnStoredVOLT", "btnStoredRES"};
    const char *const texts[] = {"IR", "TIME", "PI", "DAR", "COMP", "CAP", "VOLT", "RES"};
    QList<QPushButton *> buttons;
    for (int i = 0; i < 8; ++i) {
        auto *b = w.findChild<QPushButton *>(QString::fromLatin1(names[i]));
        QVERIFY2(b, names[i]);
        QCOMPARE(b->text(), QString::fromLatin1(texts[i]));
        QCOMPARE(b->property("StoredMode").toInt(), i);
        QVERIFY(b->isCheckable());
        QVERIFY(b->autoExclusive());
        QVERIFY(!b->autoRepeat());
        QCOMPARE(b->minimumWidth(), 20);
        buttons << b;
    }
    auto checkedCount = [&buttons] {
        int n = 0;
        for (QPushButton *b : buttons)
            n += b->isChecked() ? 1 : 0;
        return n;
    };
    QVERIFY(buttons[0]->isChecked());
    QCOMPARE(checkedCount(), 1);

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QTabWidget *>(QStringLiteral("tabWgTV"))->setCurrentIndex(1);
    QTest::mouseClick(buttons[5], Qt::LeftButton);
    QVERIFY(buttons[5]->isChecked());
    QCOMPARE(checkedCount(), 1);
}

void TstTemplateWindowForm::liveTableHeader()
{
    TemplateWindow w;
    auto *tv = w.findChild<QTableView *>(QStringLiteral("tv1"));
    QVERIFY(tv->model());
    QVERIFY(w.findChild<QTableView *>(QStringLiteral("tvStored"))->model());
    QVERIFY(!tv->horizontalHeader()->sectionsClickable());
    QVERIFY(!tv->isSortingEnabled());
    QCOMPARE(tv->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(tv->horizontalHeader()->defaultAlignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(tv->minimumWidth(), 400);
    QCOMPARE(tv->columnWidth(1), 160);
}

void TstTemplateWindowForm::cannotShrinkBelowContent()
{
    TemplateWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(300, 200);
    QTest::qWait(50);
    QVERIFY2(w.width() >= 1000 && w.height() >= 600,
             qPrintable(QString("%1x%2").arg(w.width()).arg(w.height())));
}

QTEST_MAIN(TstTemplateWindowForm)
#include "tst_templatewindowform.moc"
