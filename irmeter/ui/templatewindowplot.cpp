#include "templatewindow.h"

#include "datamodel.h"
#include "dialoghooks.h"
#include "ui_templatewindow.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMetaEnum>

#include <cmath>

namespace {

const QCPAxis::SelectableParts kWholeAxis =
    QCPAxis::spAxis | QCPAxis::spTickLabels | QCPAxis::spAxisLabel;

// Sets `axis` to `range`; a range too small to show (all values equal) keeps
// the axis's current size and is centred on the values instead.
void setCentredRange(QCPAxis *axis, QCPRange range)
{
    if (!QCPRange::validRange(range)) {
        const double centre = (range.lower + range.upper) * 0.5;
        const double half = axis->range().size() / 2.0;
        range = QCPRange(centre - half, centre + half);
    }
    axis->setRange(range);
}

} // namespace

void TemplateWindow::initPlot()
{
    QCustomPlot *plot = ui->plot1;

    plot->plotLayout()->insertRow(0);
    m_plotTitle = new QCPTextElement(plot, QString());
    m_plotTitle->setMargins(QMargins(0, 20, 0, 10));
    plot->plotLayout()->addElement(0, 0, m_plotTitle);

    plot->legend->setVisible(true);
    plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    plot->legend->setSelectableParts(QCPLegend::spNone);

    QSharedPointer<QCPAxisTickerDateTime> ticker(new QCPAxisTickerDateTime);
    ticker->setDateTimeFormat(QStringLiteral("yyyy.MM.dd\nHH:mm:s.z"));
    ticker->setTickStepStrategy(QCPAxisTicker::tssMeetTickCount);

    plot->xAxis->setLabel(tr("Date/Time"));
    plot->xAxis->setPadding(20);
    plot->xAxis->setLabelPadding(20);
    plot->xAxis->setTicker(ticker);

    // The top axis is only a frame line that follows the bottom axis.
    plot->xAxis2->setVisible(true);
    plot->xAxis2->setTickLabels(false);
    plot->xAxis2->setTicks(false);
    plot->xAxis2->setSubTicks(false);
    plot->xAxis2->setSelectableParts(QCPAxis::spNone);
    plot->xAxis2->setTicker(ticker);
    connect(plot->xAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), plot->xAxis2,
            QOverload<const QCPRange &>::of(&QCPAxis::setRange));

    plot->yAxis->setLabel(QString());
    plot->yAxis->setPadding(20);
    plot->yAxis2->setVisible(false);

    QCPGraph *graph = plot->addGraph(plot->xAxis, plot->yAxis);
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone, 6));
    graph->setSelectable(QCP::stSingleData);

    plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom | QCP::iSelectPlottables |
                          QCP::iSelectAxes);
    plot->axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
    plot->axisRect()->setRangeZoom(Qt::Horizontal | Qt::Vertical);
    plot->axisRect()->setRangeDragAxes(plot->axisRect()->axes());
    plot->axisRect()->setRangeZoomAxes(plot->axisRect()->axes());

    connect(plot, &QCustomPlot::selectionChangedByUser, this,
            &TemplateWindow::plot1SelectionChangedByUser);
    connect(plot, &QCustomPlot::mousePress, this, &TemplateWindow::plot1MousePress);
    connect(plot, &QCustomPlot::mouseWheel, this, &TemplateWindow::plot1MouseWheel);
    connect(plot, &QCustomPlot::mouseMove, this, &TemplateWindow::plot1MouseMove);
    connect(plot, &QCustomPlot::mouseDoubleClick, this, &TemplateWindow::plot1MouseDoubleClick);
    plot->installEventFilter(this);
}

double TemplateWindow::plotValue(const DMMData &record)
{
    double value = std::nan("");
    switch (record.mode) {
    case DMMData::dmIR:
    case DMMData::dmTime:
    case DMMData::dmCOMP: {
        const auto &r = static_cast<const DMMDataIR &>(record);
        value = r.res.value * getUnitMul(r.res.unit);
        break;
    }
    case DMMData::dmPI:
        value = static_cast<const DMMDataPI &>(record).piRatio.value;
        break;
    case DMMData::dmDAR:
        value = static_cast<const DMMDataDAR &>(record).darRatio.value;
        break;
    case DMMData::dmCAP:
        value = static_cast<const DMMDataCAP &>(record).cap.value;
        break;
    case DMMData::dmVOLT:
        value = static_cast<const DMMDataVOLT &>(record).volt.value;
        break;
    case DMMData::dmRES:
        value = static_cast<const DMMDataRES &>(record).res.value;
        break;
    }
    // An infinite reading has no place on a linear axis (it would make the
    // value range unusable); it shows as a gap in the curve, like NaN.
    return std::isfinite(value) ? value : std::nan("");
}

void TemplateWindow::addDataToPlot(QSharedPointer<DMMData> record, QCPGraph *graph)
{
    if (!record || !graph)
        return;
    const double key = QCPAxisTickerDateTime::dateTimeToKey(record->dateTime);
    const double value = plotValue(*record);
    // Keep the running value range of graph 0 in step, as long as it has
    // seen every point so far; otherwise the next view update rebuilds it.
    const bool inStep = graph == ui->plot1->graph(0) && m_valueRange.points() == graph->dataCount();
    graph->addData(key, value);
    if (inStep)
        m_valueRange.add(value);
}

void TemplateWindow::updateDataToPlot(QSharedPointer<DMMData> record)
{
    addDataToPlot(record, ui->plot1->graph(0));
    updatePlot1();
}

void TemplateWindow::updatePlot1()
{
    QCustomPlot *plot = ui->plot1;
    QCPGraph *first = plot->graph(0);

    for (int i = 0; i < plot->graphCount(); ++i) {
        QCPGraph *graph = plot->graph(i);
        bool found = false;
        QCPRange range;
        if (graph == first) {
            if (m_valueRange.points() != graph->dataCount())
                m_valueRange.rebuild(graph);
            found = m_valueRange.found();
            range = QCPRange(m_valueRange.lower(), m_valueRange.upper());
        } else {
            range = graph->getValueRange(found);
        }
        if (!found)
            continue; // no value to show: the axis stays where it is
        if (range.lower != range.upper) {
            setCentredRange(graph->valueAxis(), range);
            graph->valueAxis()->scaleRange(1.1);
        } else {
            setCentredRange(graph->valueAxis(), range);
        }
    }

    const int n = first ? first->dataCount() : 0;
    if (n > ViewPoints) {
        const double lastKey = first->data()->at(n - 1)->key;
        const double firstKey = first->data()->at(n - int(ViewPoints))->key;
        plot->xAxis->setRange(lastKey, lastKey - firstKey, Qt::AlignRight);
    } else {
        plot->xAxis->rescale(false);
    }

    // Many points can arrive within one pass of the event loop; they share
    // one repaint.
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void TemplateWindow::resetPlot()
{
    for (QCustomPlot *plot : qAsConst(m_plots))
        for (int i = 0; i < plot->graphCount(); ++i)
            plot->graph(i)->data()->clear();
    m_valueRange.reset();
    updatePlot1();
}

void TemplateWindow::changePlotMode(DMMData::DataMode mode, DataModel *model)
{
    resetPlot();

    QCustomPlot *plot = ui->plot1;
    QCPGraph *graph = plot->graph(0);
    const QString name =
        QString::fromLatin1(QMetaEnum::fromType<DMMData::DataMode>().valueToKey(mode)).mid(2);
    graph->setName(name);
    if (m_plotTitle)
        m_plotTitle->setText(name);
    plot->yAxis->setLabel(model ? model->getMainTitle() : QString());

    if (model) {
        // A reload adds the table's records in one go: one sort instead of
        // an insertion per record when the clock went backwards in between.
        const QList<QSharedPointer<DMMData>> records = model->getData();
        QVector<QCPGraphData> points;
        points.reserve(records.size());
        for (const QSharedPointer<DMMData> &record : records) {
            if (record)
                points.append(QCPGraphData(QCPAxisTickerDateTime::dateTimeToKey(record->dateTime),
                                           plotValue(*record)));
        }
        graph->data()->add(points, false);
    }
    updatePlot1();
}

void TemplateWindow::getUsefulAxes(QFlags<Qt::Orientation> &orientations, QList<QCPAxis *> &axes)
{
    const QList<QCPAxis *> all = ui->plot1->axisRect()->axes();
    for (QCPAxis *axis : all) {
        if (axis->selectedParts().testFlag(QCPAxis::spAxis)) {
            orientations = axis->orientation();
            axes = {axis};
            return;
        }
    }
    orientations = Qt::Horizontal | Qt::Vertical;
    axes = all;
}

void TemplateWindow::plot1MousePress(QMouseEvent *event)
{
    Q_UNUSED(event)
    QFlags<Qt::Orientation> orientations;
    QList<QCPAxis *> axes;
    getUsefulAxes(orientations, axes);
    ui->plot1->axisRect()->setRangeDrag(orientations);
    ui->plot1->axisRect()->setRangeDragAxes(axes);
}

void TemplateWindow::plot1MouseWheel(QWheelEvent *event)
{
    Q_UNUSED(event)
    QFlags<Qt::Orientation> orientations;
    QList<QCPAxis *> axes;
    getUsefulAxes(orientations, axes);
    ui->plot1->axisRect()->setRangeZoom(orientations);
    ui->plot1->axisRect()->setRangeZoomAxes(axes);
}

void TemplateWindow::plot1MouseDoubleClick(QMouseEvent *event)
{
    Q_UNUSED(event)
    updatePlot1();
}

void TemplateWindow::removeTracer()
{
    QCustomPlot *plot = ui->plot1;
    if (m_tracer && plot->hasItem(m_tracer))
        plot->removeItem(m_tracer);
    if (m_tracerLabel && plot->hasItem(m_tracerLabel))
        plot->removeItem(m_tracerLabel);
    m_tracer = nullptr;
    m_tracerLabel = nullptr;
}

void TemplateWindow::plot1SelectionChangedByUser()
{
    QCustomPlot *plot = ui->plot1;

    // Any part of an axis selected selects the whole axis.
    const QList<QCPAxis *> axes = plot->axisRect()->axes();
    for (QCPAxis *axis : axes) {
        if (axis->selectedParts() & kWholeAxis) {
            axis->setSelectedParts(kWholeAxis);
            break;
        }
    }

    m_selectedGraph = nullptr;
    for (int i = 0; i < plot->graphCount(); ++i) {
        QCPGraph *graph = plot->graph(i);
        const bool selected = graph->selected();
        if (QCPPlottableLegendItem *item = plot->legend->itemWithPlottable(graph))
            item->setSelected(selected);
        if (selected) {
            QColor colour = graph->pen().color();
            colour.setAlphaF(0.5);
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, colour, 5));
            if (!m_selectedGraph)
                m_selectedGraph = graph;
        } else {
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone, 5));
        }
    }

    removeTracer();
    if (!m_selectedGraph)
        return;

    m_tracer = new QCPItemTracer(plot);
    m_tracer->setLayer(QStringLiteral("overlay"));
    m_tracer->setSize(8);
    m_tracer->setPen(QPen(QColor(QStringLiteral("#ff8a5c"))));
    m_tracer->setStyle(QCPItemTracer::tsPlus);
    m_tracer->setInterpolating(false);

    m_tracerLabel = new QCPItemText(plot);
    m_tracerLabel->setLayer(QStringLiteral("overlay"));
    m_tracerLabel->setText(QString());
    m_tracerLabel->setColor(m_selectedGraph->pen().color());
    m_tracerLabel->position->setType(QCPItemPosition::ptAxisRectRatio);
    m_tracerLabel->position->setCoords(0.99, 0.96);
    m_tracerLabel->setPositionAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_tracerLabel->setTextAlignment(Qt::AlignLeft);
    m_tracerLabel->setPadding(QMargins(5, 5, 5, 5));
}

void TemplateWindow::plot1MouseMove(QMouseEvent *event)
{
    if (!m_tracer || !m_selectedGraph)
        return;
    QCustomPlot *plot = ui->plot1;

    const double x = plot->xAxis->pixelToCoord(event->pos().x());
    m_tracer->setGraph(m_selectedGraph);
    m_tracer->setGraphKey(x);
    m_tracer->updatePosition();
    plot->replot(QCustomPlot::rpQueuedReplot);

    const double key = m_tracer->position->key();
    const int row = plot->graph(0)->findBegin(x, true);

    // Tracer rows count the points of graph 0; the value text comes from the
    // live table, and stays empty when that table has no such row.
    QString valueText;
    if (m_currentLiveModel && row < m_currentLiveModel->rowCount())
        valueText = m_currentLiveModel->getMainValue(row).toString();

    if (m_tracerLabel)
        m_tracerLabel->setText(QStringLiteral("[%1] %2:%3")
                                   .arg(QCPAxisTickerDateTime::keyToDateTime(key).toString(
                                            QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                        m_selectedGraph->name(), valueText));
}

bool TemplateWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu && watched &&
        watched->objectName() == QLatin1String("plot1")) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addAction(ui->actionSaveImage);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
    }
    return QWidget::eventFilter(watched, event);
}

void TemplateWindow::on_actionSaveImage_triggered()
{
    const QString fileName = DialogHooks::getSaveFileName(
        this, tr("Save As"), QString(), QStringLiteral("File(*.jpg *.png *.bmp *.pdf)"));
    if (fileName.isEmpty())
        return;

    QCustomPlot *plot = m_plots.value(0);
    const QString suffix = QFileInfo(fileName).suffix();
    bool saved = false;
    if (plot && !suffix.isEmpty()) {
        if (suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
            // A vector copy of the chart at its on-screen size.
            saved = plot->savePdf(fileName);
        } else {
            const QByteArray format = suffix.toUpper().toLatin1();
            saved = plot->saveRastered(fileName, 0, 0, 1.0, format.constData(), -1, 96,
                                       QCP::ruDotsPerInch);
        }
    }

    if (saved) {
        const auto answer = DialogHooks::message(
            QMessageBox::Question, this, QString(),
            tr("The chart is exported successfully.\r\nDo you want to open this file?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes)
            DialogHooks::openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    } else {
        DialogHooks::message(QMessageBox::Information, this, QString(),
                             tr("The chart is exported failed."), QMessageBox::Ok);
    }
}
