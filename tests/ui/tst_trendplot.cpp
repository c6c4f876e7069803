// The trend plot: furniture, the automatic view (kept incrementally), mode
// switches, selection and tracer, drag/zoom limits, the context menu and
// image export.
#include "datamodel.h"
#include "dialoghooks.h"
#include "modelset.h"
#include "recordfactory.h"
#include "templatewindow.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace rf;

Q_DECLARE_METATYPE(QSharedPointer<DMMData>)

namespace {

QCustomPlot *plotOf(TemplateWindow &w)
{
    return w.findChild<QCustomPlot *>(QStringLiteral("plot1"));
}

double keyOf(qint64 seconds)
{
    return QCPAxisTickerDateTime::dateTimeToKey(at(seconds));
}

// The automatic view worked out the long way, by scanning every point as the
// view rules describe it. The window's incremental version must agree.
void referenceView(QCustomPlot *ref)
{
    QCPGraph *g = ref->graph(0);
    bool any = false;
    double lo = 0, hi = 0;
    for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it) {
        if (std::isnan(it->value))
            continue;
        if (!any) {
            lo = hi = it->value;
            any = true;
        }
        lo = std::min(lo, it->value);
        hi = std::max(hi, it->value);
    }
    if (any && lo != hi) {
        g->rescaleValueAxis(false, false);
        g->valueAxis()->scaleRange(1.1);
    } else {
        g->valueAxis()->rescale(false);
    }
    const int n = g->dataCount();
    if (n > 100) {
        const double last = g->data()->at(n - 1)->key;
        ref->xAxis->setRange(last, last - g->data()->at(n - 100)->key, Qt::AlignRight);
    } else {
        ref->xAxis->rescale(false);
    }
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

void drag(QCustomPlot *plot, QPoint from, QPoint by)
{
    sendMouse(plot, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(plot, QEvent::MouseMove, from + by / 2, Qt::LeftButton);
    sendMouse(plot, QEvent::MouseMove, from + by, Qt::LeftButton);
    sendMouse(plot, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
}

void wheel(QCustomPlot *plot, QPoint at)
{
    QWheelEvent e(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &e);
}

bool sameRange(const QCPRange &a, const QCPRange &b)
{
    // Date keys are large numbers over a small span: compare against the span.
    const double tolerance = 1e-9 * std::max(a.size(), b.size());
    auto close = [tolerance](double x, double y) { return std::abs(x - y) <= tolerance; };
    return close(a.lower, b.lower) && close(a.upper, b.upper);
}

struct Shown
{
    TemplateWindow w;
    QCustomPlot *plot = nullptr;
    bool show()
    {
        plot = plotOf(w);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        plot->replot();
        return true;
    }
};

} // namespace

class TstTrendPlot : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { DialogHooks::resetAll(); }
    void furniture();
    void plotValue_data();
    void plotValue();
    void hundredPointsInViewThenScroll();
    void viewMatchesFullScan_data();
    void viewMatchesFullScan();
    void constantCurveKeepsVisibleRange();
    void replotsAreCoalesced();
    void storedModeSwitchRenamesAndReloads();
    void resetEmptiesCurve();
    void selectionMakesWholeAxisAndTracer();
    void tracerLabelText();
    void dragAndZoomLimitedToSelectedAxis();
    void doubleClickRestoresAutomaticView();
    void contextMenuOffersSave();
    void saveImage_data();
    void saveImage();
    void saveImageFailures_data();
    void saveImageFailures();
    void saveImageOpenOnYes();
};

void TstTrendPlot::furniture()
{
    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    QCOMPARE(plot->graphCount(), 1);
    QCPGraph *g = plot->graph(0);
    QCOMPARE(g->keyAxis(), plot->xAxis);
    QCOMPARE(g->valueAxis(), plot->yAxis);
    QCOMPARE(g->name(), QStringLiteral("IR"));
    auto *title = qobject_cast<QCPTextElement *>(plot->plotLayout()->element(0, 0));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("IR"));
    QCOMPARE(title->margins(), QMargins(0, 20, 0, 10));
    QVERIFY(plot->legend->visible());
    QCOMPARE(plot->xAxis->label(), QStringLiteral("Date/Time"));
    auto ticker = plot->xAxis->ticker().dynamicCast<QCPAxisTickerDateTime>();
    QVERIFY(ticker);
    QCOMPARE(ticker->dateTimeFormat(), QStringLiteral("yyyy.MM.dd\nHH:mm:s.z"));
    QCOMPARE(ticker->tickStepStrategy(), QCPAxisTicker::tssMeetTickCount);
    QCOMPARE(plot->xAxis2->ticker(), plot->xAxis->ticker());
    QVERIFY(plot->xAxis2->visible());
    QVERIFY(!plot->xAxis2->tickLabels());
    QVERIFY(!plot->yAxis2->visible());
    QCOMPARE(plot->yAxis->label(), w.models()->liveModel(DMMData::dmIR)->getMainTitle());
    QVERIFY(plot->interactions().testFlag(QCP::iRangeDrag));
    QVERIFY(plot->interactions().testFlag(QCP::iSelectAxes));
    QVERIFY(!plot->interactions().testFlag(QCP::iSelectLegend));
    QVERIFY(!plot->interactions().testFlag(QCP::iMultiSelect));
    QCOMPARE(w.plots(), QList<QCustomPlot *>({plot}));

    // The top axis follows the bottom one.
    plot->xAxis->setRange(100, 200);
    QCOMPARE(plot->xAxis2->range(), QCPRange(100, 200));
}

void TstTrendPlot::plotValue_data()
{
    QTest::addColumn<QSharedPointer<DMMData>>("record");
    QTest::addColumn<double>("value");
    QTest::newRow("IR GOhm") << ir(2.5, gohm()).staticCast<DMMData>() << 2500.0;
    QTest::newRow("IR TOhm") << ir(1, tohm()).staticCast<DMMData>() << 1e6;
    QTest::newRow("IR MOhm") << ir(30, mohm()).staticCast<DMMData>() << 30.0;
    {
        auto t = timed();
        t->res = box("3.0", 3, gohm());
        QTest::newRow("Time") << t.staticCast<DMMData>() << 3000.0;
        auto c = comp(2);
        c->res = box("40", 40, tohm());
        QTest::newRow("COMP") << c.staticCast<DMMData>() << 4e7;
    }
    QTest::newRow("PI ratio") << pi(2.5).staticCast<DMMData>() << 2.5;
    QTest::newRow("DAR ratio") << dar(1.3).staticCast<DMMData>() << 1.3;
    QTest::newRow("CAP") << cap(false).staticCast<DMMData>() << 1.25;
    QTest::newRow("VOLT") << volt("DC").staticCast<DMMData>() << 230.0;
    QTest::newRow("RES ohm as is") << res(1.5).staticCast<DMMData>() << 1.5;
}

void TstTrendPlot::plotValue()
{
    QFETCH(QSharedPointer<DMMData>, record);
    QFETCH(double, value);
    QCOMPARE(TemplateWindow::plotValue(*record), value);
}

void TstTrendPlot::hundredPointsInViewThenScroll()
{
    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    for (int i = 0; i < 100; ++i)
        w.updateDataToPlot(ir(10 + i % 7, mohm(), at(i)));
    QCOMPARE(plot->xAxis->range(), QCPRange(keyOf(0), keyOf(99)));

    w.updateDataToPlot(ir(12, mohm(), at(100)));
    QCOMPARE(plot->graph(0)->dataCount(), 101);
    QCOMPARE(plot->xAxis->range(), QCPRange(keyOf(1), keyOf(100)));
    // The point that scrolled out is still part of the value range.
    QCOMPARE(plot->yAxis->range().center(), 13.0);
}

void TstTrendPlot::viewMatchesFullScan_data()
{
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<bool>("viaReload");
    QVector<double> rising, mixed, spike, signs;
    for (int i = 0; i < 230; ++i) {
        rising << i * 0.5;
        mixed << ((i % 11 == 0) ? std::nan("") : std::sin(i * 0.3) * 50 + 100);
        spike << (i == 40 ? 900.0 : 5.0);
        signs << ((i % 2) ? -i : i) * 1.0;
    }
    QVector<double> allNan(20, std::nan(""));
    allNan << 4.0 << 4.0 << std::nan("") << 8.0;
    for (bool reload : {false, true}) {
        const char *how = reload ? " reload" : "";
        QTest::addRow("rising%s", how) << rising << reload;
        QTest::addRow("sine with NaN gaps%s", how) << mixed << reload;
        QTest::addRow("spike scrolls out%s", how) << spike << reload;
        QTest::addRow("alternating sign%s", how) << signs << reload;
        QTest::addRow("NaN first%s", how) << allNan << reload;
    }
}

void TstTrendPlot::viewMatchesFullScan()
{
    QFETCH(QVector<double>, values);
    QFETCH(bool, viaReload);

    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    QCustomPlot ref;
    ref.addGraph();

    if (viaReload) {
        // Records already in the table, shown by a mode switch.
        DataModel *model = w.models()->liveModel(DMMData::dmRES);
        for (int i = 0; i < values.size(); ++i) {
            model->addData(res(values[i], at(i)));
            ref.graph(0)->addData(keyOf(i), values[i]);
        }
        w.changeLiveDataMode(DMMData::dmRES, false);
        referenceView(&ref);
        QCOMPARE(plot->graph(0)->dataCount(), values.size());
        QVERIFY2(sameRange(plot->yAxis->range(), ref.yAxis->range()), "value axis");
        QVERIFY2(sameRange(plot->xAxis->range(), ref.xAxis->range()), "key axis");
        // Appending after the reload stays in step as well.
        values = {values.last() * 3 + 1, -7.0};
    }
    const int base = plot->graph(0)->dataCount();
    for (int i = 0; i < values.size(); ++i) {
        w.updateDataToPlot(res(values[i], at(base + i)));
        ref.graph(0)->addData(keyOf(base + i), values[i]);
        referenceView(&ref);
        QVERIFY2(sameRange(plot->yAxis->range(), ref.yAxis->range()),
                 qPrintable(QString("value axis after point %1").arg(base + i)));
        QVERIFY2(sameRange(plot->xAxis->range(), ref.xAxis->range()),
                 qPrintable(QString("key axis after point %1").arg(base + i)));
    }
}

void TstTrendPlot::constantCurveKeepsVisibleRange()
{
    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    for (int i = 0; i < 150; ++i)
        w.updateDataToPlot(ir(42, mohm(), at(i)));
    const QCPRange r = plot->yAxis->range();
    QVERIFY(r.size() > 0);
    QCOMPARE(r.center(), 42.0);
}

void TstTrendPlot::replotsAreCoalesced()
{
    Shown s;
    QVERIFY(s.show());
    QTest::qWait(100);
    QSignalSpy replots(s.plot, &QCustomPlot::afterReplot);
    for (int i = 0; i < 50; ++i)
        s.w.updateDataToPlot(ir(i, mohm(), at(i)));
    QCOMPARE(replots.count(), 0); // nothing painted while the points arrive
    QTRY_VERIFY_WITH_TIMEOUT(replots.count() >= 1, 5000);
    QCoreApplication::processEvents();
    QCOMPARE(replots.count(), 1);
    QCOMPARE(s.plot->xAxis->range(), QCPRange(keyOf(0), keyOf(49)));
}

void TstTrendPlot::storedModeSwitchRenamesAndReloads()
{
    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    DataModel *storedPI = w.models()->storedModel(DMMData::dmPI);
    const double ratios[] = {1.5, 2.25, 3.0};
    for (int i = 0; i < 3; ++i)
        storedPI->addData(pi(ratios[i], at(i)));
    w.updateDataToPlot(ir(5, mohm(), at(0))); // something on the curve before

    w.changeStoredDataMode(DMMData::dmPI, false);
    QCOMPARE(w.currentStoredModel(), storedPI);
    QCOMPARE(plot->graph(0)->name(), QStringLiteral("PI"));
    QCOMPARE(qobject_cast<QCPTextElement *>(plot->plotLayout()->element(0, 0))->text(),
             QStringLiteral("PI"));
    QCOMPARE(plot->yAxis->label(), storedPI->getMainTitle());
    QCOMPARE(plot->graph(0)->dataCount(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(plot->graph(0)->data()->at(i)->value, ratios[i]);

    // The same mode again without force changes nothing.
    plot->graph(0)->addData(keyOf(10), 9.0);
    w.changeStoredDataMode(DMMData::dmPI, false);
    QCOMPARE(plot->graph(0)->dataCount(), 4);
    w.changeStoredDataMode(DMMData::dmPI, true);
    QCOMPARE(plot->graph(0)->dataCount(), 3);

    // Keys of other modes follow their enumerator names.
    w.changeLiveDataMode(DMMData::dmTime, false);
    QCOMPARE(plot->graph(0)->name(), QStringLiteral("Time"));
    QCOMPARE(plot->graph(0)->dataCount(), 0);
}

void TstTrendPlot::resetEmptiesCurve()
{
    TemplateWindow w;
    QCustomPlot *plot = plotOf(w);
    for (int i = 0; i < 5; ++i)
        w.updateDataToPlot(ir(i, mohm(), at(i)));
    w.resetPlot();
    QCOMPARE(plot->graph(0)->dataCount(), 0);
    // A fresh curve after a reset is ranged from its own points only.
    w.updateDataToPlot(ir(100, mohm(), at(10)));
    w.updateDataToPlot(ir(110, mohm(), at(11)));
    QCOMPARE(plot->yAxis->range().center(), 105.0);
    QCOMPARE(plot->yAxis->range().size(), 11.0);
}

void TstTrendPlot::selectionMakesWholeAxisAndTracer()
{
    Shown s;
    QVERIFY(s.show());
    for (int i = 0; i < 3; ++i)
        s.w.updateDataToPlot(ir(10 * (i + 1), mohm(), at(10 * i)));

    s.plot->yAxis->setSelectedParts(QCPAxis::spTickLabels);
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    QCOMPARE(s.plot->yAxis->selectedParts(),
             QCPAxis::spAxis | QCPAxis::spTickLabels | QCPAxis::spAxisLabel);
    QCOMPARE(s.plot->itemCount(), 0); // no graph selected: no tracer

    QCPGraph *g = s.plot->graph(0);
    g->setSelection(QCPDataSelection(QCPDataRange(1, 2)));
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    QCOMPARE(s.plot->itemCount(), 2);
    QVERIFY(qobject_cast<QCPItemTracer *>(s.plot->item(0)));
    QVERIFY(qobject_cast<QCPItemText *>(s.plot->item(1)));
    QCOMPARE(g->scatterStyle().shape(), QCPScatterStyle::ssDisc);
    QCOMPARE(g->scatterStyle().size(), 5.0);
    QVERIFY(s.plot->legend->itemWithPlottable(g)->selected());

    // Selecting again replaces the pair; deselecting removes it.
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    QCOMPARE(s.plot->itemCount(), 2);
    g->setSelection(QCPDataSelection());
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    QCOMPARE(s.plot->itemCount(), 0);
    QCOMPARE(g->scatterStyle().shape(), QCPScatterStyle::ssNone);
    QVERIFY(!s.plot->legend->itemWithPlottable(g)->selected());
    // Moving the mouse with nothing selected is harmless.
    sendMouse(s.plot, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton);
    QCOMPARE(s.plot->itemCount(), 0);
}

void TstTrendPlot::tracerLabelText()
{
    Shown s;
    QVERIFY(s.show());
    for (int i = 0; i < 3; ++i) {
        auto r = ir(10 * (i + 1), mohm(), at(10 * i));
        s.w.updateLiveDataToTableView(r);
        s.w.updateDataToPlot(r);
    }
    s.plot->replot();
    s.plot->graph(0)->setSelection(QCPDataSelection(QCPDataRange(0, 1)));
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    auto *label = qobject_cast<QCPItemText *>(s.plot->item(1));
    QVERIFY(label);
    QCOMPARE(label->text(), QString());
    QCOMPARE(label->color(), s.plot->graph(0)->pen().color());

    // Just right of the second point: the tracer sits on it, the row is 1.
    const int x = qRound(s.plot->xAxis->coordToPixel(keyOf(10) + 1));
    sendMouse(s.plot, QEvent::MouseMove, QPoint(x, 100), Qt::NoButton);
    QCOMPARE(label->text(), QStringLiteral("[2024-06-25 01:19:16] IR:20 ") + mohm());
    auto *tracer = qobject_cast<QCPItemTracer *>(s.plot->item(0));
    QCOMPARE(tracer->position->key(), keyOf(10));

    // Left of every point: row 0.
    sendMouse(s.plot, QEvent::MouseMove,
              QPoint(qRound(s.plot->xAxis->coordToPixel(keyOf(0) - 5)), 100), Qt::NoButton);
    QCOMPARE(label->text(), QStringLiteral("[2024-06-25 01:19:06] IR:10 ") + mohm());

    // Points beyond the live table's rows leave the value empty.
    s.w.updateDataToPlot(ir(40, mohm(), at(30)));
    s.w.updateDataToPlot(ir(50, mohm(), at(40)));
    s.plot->replot();
    sendMouse(s.plot, QEvent::MouseMove,
              QPoint(qRound(s.plot->xAxis->coordToPixel(keyOf(40) + 1)), 100), Qt::NoButton);
    QCOMPARE(label->text(), QStringLiteral("[2024-06-25 01:19:46] IR:"));
}

void TstTrendPlot::dragAndZoomLimitedToSelectedAxis()
{
    Shown s;
    QVERIFY(s.show());
    for (int i = 0; i < 20; ++i)
        s.w.updateDataToPlot(ir(10 + i, mohm(), at(i)));
    s.plot->replot();
    const QPoint centre = s.plot->axisRect()->rect().center();

    // Value axis selected: only the value range moves.
    s.plot->yAxis->setSelectedParts(QCPAxis::spAxisLabel);
    QVERIFY(QMetaObject::invokeMethod(&s.w, "plot1SelectionChangedByUser"));
    QCPRange x0 = s.plot->xAxis->range(), y0 = s.plot->yAxis->range();
    drag(s.plot, centre, QPoint(60, 40));
    QCOMPARE(s.plot->xAxis->range(), x0);
    QVERIFY(!sameRange(s.plot->yAxis->range(), y0));

    y0 = s.plot->yAxis->range();
    wheel(s.plot, centre);
    QCOMPARE(s.plot->xAxis->range(), x0);
    QVERIFY(!sameRange(s.plot->yAxis->range(), y0));

    // Nothing selected: both ranges move.
    s.plot->yAxis->setSelectedParts(QCPAxis::spNone);
    x0 = s.plot->xAxis->range();
    y0 = s.plot->yAxis->range();
    drag(s.plot, centre, QPoint(60, 40));
    QVERIFY(!sameRange(s.plot->xAxis->range(), x0));
    QVERIFY(!sameRange(s.plot->yAxis->range(), y0));

    // Key axis selected: the wheel zooms only the key range.
    s.plot->xAxis->setSelectedParts(QCPAxis::spAxis);
    x0 = s.plot->xAxis->range();
    y0 = s.plot->yAxis->range();
    wheel(s.plot, centre);
    QVERIFY(!sameRange(s.plot->xAxis->range(), x0));
    QCOMPARE(s.plot->yAxis->range(), y0);
}

void TstTrendPlot::doubleClickRestoresAutomaticView()
{
    Shown s;
    QVERIFY(s.show());
    for (int i = 0; i < 150; ++i)
        s.w.updateDataToPlot(ir(i % 13, mohm(), at(i)));
    s.plot->replot();
    const QCPRange x0 = s.plot->xAxis->range(), y0 = s.plot->yAxis->range();
    const QPoint centre = s.plot->axisRect()->rect().center();
    wheel(s.plot, centre);
    drag(s.plot, centre, QPoint(-80, 30));
    QVERIFY(!sameRange(s.plot->xAxis->range(), x0));

    sendMouse(s.plot, QEvent::MouseButtonDblClick, centre, Qt::LeftButton);
    QVERIFY(sameRange(s.plot->xAxis->range(), x0));
    QVERIFY(sameRange(s.plot->yAxis->range(), y0));
    QCOMPARE(s.plot->xAxis->range(), QCPRange(keyOf(50), keyOf(149)));
}

void TstTrendPlot::contextMenuOffersSave()
{
    Shown s;
    QVERIFY(s.show());
    const QPoint p(50, 50);
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, s.plot->mapToGlobal(p));
    QApplication::sendEvent(s.plot, &e);
    QMenu *menu = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(
        (menu = s.w.findChild<QMenu *>(QString(), Qt::FindDirectChildrenOnly)) && menu->isVisible(),
        5000);
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first(), s.w.findChild<QAction *>(QStringLiteral("actionSaveImage")));
    QPointer<QMenu> guard(menu);
    menu->close();
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 5000); // deletes itself when closed

    // Other widgets' context menus are left alone.
    QWidget *other = s.w.findChild<QWidget *>(QStringLiteral("tv1"));
    QContextMenuEvent e2(QContextMenuEvent::Mouse, p, other->mapToGlobal(p));
    QApplication::sendEvent(other, &e2);
    QCoreApplication::processEvents();
    QVERIFY(!s.w.findChild<QMenu *>(QString(), Qt::FindDirectChildrenOnly));
}

namespace {
struct Asked
{
    QList<QMessageBox::Icon> icons;
    QStringList texts;
    QList<QUrl> opened;
    QString caption, filter;
};

void hook(Asked &asked, const QString &fileName, QMessageBox::StandardButton answer)
{
    DialogHooks::setSaveFileNameHook([&asked, fileName](QWidget *, const QString &caption,
                                                        const QString &, const QString &filter) {
        asked.caption = caption;
        asked.filter = filter;
        return fileName;
    });
    DialogHooks::setMessageHook([&asked, answer](QMessageBox::Icon icon, QWidget *,
                                                 const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons) {
        asked.icons << icon;
        asked.texts << text;
        return title.isEmpty() ? answer : QMessageBox::NoButton;
    });
    DialogHooks::setOpenUrlHook([&asked](const QUrl &url) {
        asked.opened << url;
        return true;
    });
}
} // namespace

void TstTrendPlot::saveImage_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QByteArray>("readFormat");
    QTest::newRow("png") << "png" << QByteArray("png");
    QTest::newRow("bmp") << "bmp" << QByteArray("bmp");
    QTest::newRow("jpg") << "jpg" << QByteArray("jpeg");
    QTest::newRow("upper-case PNG") << "PNG" << QByteArray("png");
    QTest::newRow("pdf") << "pdf" << QByteArray();
}

void TstTrendPlot::saveImage()
{
    QFETCH(QString, suffix);
    QFETCH(QByteArray, readFormat);
    QTemporaryDir dir;
    Shown s;
    QVERIFY(s.show());
    for (int i = 0; i < 10; ++i)
        s.w.updateDataToPlot(ir(i, mohm(), at(i)));
    const QString file = dir.filePath("chart." + suffix);
    Asked asked;
    hook(asked, file, QMessageBox::No);

    s.w.findChild<QAction *>(QStringLiteral("actionSaveImage"))->trigger();
    QCOMPARE(asked.caption, QStringLiteral("Save As"));
    QCOMPARE(asked.filter, QStringLiteral("File(*.jpg *.png *.bmp *.pdf)"));
    QCOMPARE(asked.icons, QList<QMessageBox::Icon>({QMessageBox::Question}));
    QCOMPARE(
        asked.texts.first(),
        QStringLiteral("The chart is exported successfully.\r\nDo you want to open this file?"));
    QVERIFY(asked.opened.isEmpty());

    if (readFormat.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        return;
    }
    QImageReader reader(file);
    QCOMPARE(reader.format(), readFormat);
    const QImage img = reader.read();
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), s.plot->size());
}

void TstTrendPlot::saveImageFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no suffix") << "chart";
    QTest::newRow("unknown format") << "chart.txt";
    QTest::newRow("missing folder") << "no/such/folder/chart.png";
}

void TstTrendPlot::saveImageFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    TemplateWindow w;
    const QString file = dir.filePath(name);
    Asked asked;
    hook(asked, file, QMessageBox::Yes);
    w.findChild<QAction *>(QStringLiteral("actionSaveImage"))->trigger();
    QCOMPARE(asked.icons, QList<QMessageBox::Icon>({QMessageBox::Information}));
    QCOMPARE(asked.texts, QStringList({"The chart is exported failed."}));
    QVERIFY(asked.opened.isEmpty());
    QVERIFY(!QFile::exists(file));

    // Cancelling the file dialog asks nothing more.
    Asked cancelled;
    hook(cancelled, QString(), QMessageBox::Yes);
    w.findChild<QAction *>(QStringLiteral("actionSaveImage"))->trigger();
    QVERIFY(cancelled.texts.isEmpty());
}

void TstTrendPlot::saveImageOpenOnYes()
{
    QTemporaryDir dir;
    TemplateWindow w;
    const QString file = dir.filePath("open me.png");
    Asked asked;
    hook(asked, file, QMessageBox::Yes);
    w.findChild<QAction *>(QStringLiteral("actionSaveImage"))->trigger();
    QCOMPARE(asked.opened, QList<QUrl>({QUrl::fromLocalFile(file)}));
    QVERIFY(QFile::exists(file));
}

QTEST_MAIN(TstTrendPlot)
#include "tst_trendplot.moc"
