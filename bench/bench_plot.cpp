// Cost of one recorded point on the trend plot of a shown main window, at a
// short and at a very long session. The automatic view is kept from running
// min/max and scrolls by index, so the cost per point should stay flat.
//
//   BM_PlotAppend/N         append + automatic view, no repaint
//   BM_PlotAppendRepaint/N  the same plus the (coalesced) repaint that the
//                           event loop runs after each reading
#include "dmmdata.h"
#include "templatewindow.h"

#include <QApplication>
#include <QSharedPointer>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TemplateWindow *g_window = nullptr;

struct Feed
{
    QSharedPointer<DMMDataIR> record{new DMMDataIR};
    qint64 ms = 0;
    int step = 0;

    Feed()
    {
        record->res.unit = QStringLiteral("G") + QChar(0x03A9);
        record->dateTime = QDateTime(QDate(2024, 6, 25), QTime(0, 0));
    }
    QSharedPointer<DMMData> next()
    {
        ++step;
        record->res.value = 10.0 + (step % 97) * 0.25;
        record->dateTime = record->dateTime.addMSecs(500);
        return record;
    }
};

// Starts every run from a fresh curve of `points` points.
void fill(Feed &feed, int points)
{
    g_window->resetPlot();
    for (int i = 0; i < points; ++i)
        g_window->updateDataToPlot(feed.next());
    QCoreApplication::processEvents();
}

void BM_PlotAppend(benchmark::State &state)
{
    Feed feed;
    fill(feed, int(state.range(0)));
    for (auto _ : state)
        g_window->updateDataToPlot(feed.next());
    state.counters["points"] = double(state.range(0));
    QCoreApplication::processEvents();
}

void BM_PlotAppendRepaint(benchmark::State &state)
{
    Feed feed;
    fill(feed, int(state.range(0)));
    for (auto _ : state) {
        g_window->updateDataToPlot(feed.next());
        QCoreApplication::processEvents();
    }
    state.counters["points"] = double(state.range(0));
}

BENCHMARK(BM_PlotAppend)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlotAppendRepaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto window = std::make_unique<TemplateWindow>();
    window->show();
    QCoreApplication::processEvents();
    g_window = window.get();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    g_window = nullptr;
    return 0;
}
