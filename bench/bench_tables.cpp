// Cost of logging live IR readings into a table shown in a QTableView, the
// memory each held record takes, and the time to export a large table.
#include "datamodel.h"
#include "modelset.h"
#include "utils.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

ValueBox box(double v, int width, int precision, const QString &unit)
{
    ValueBox b;
    b.value = v;
    b.text = QStringLiteral("%1").arg(v, width, 'f', precision, QLatin1Char(' '));
    b.unit = unit;
    return b;
}

ValueBoxInt ibox(int v)
{
    ValueBoxInt b;
    b.value = v;
    b.text = QStringLiteral("%1").arg(v);
    b.unit = QStringLiteral("V");
    return b;
}

// A live IR record filled the way the decoder fills one: fresh texts,
// units from string literals.
QSharedPointer<DMMData> makeIrRecord(int i)
{
    QSharedPointer<DMMDataIR> r(new DMMDataIR);
    r->dateTime = QDateTime::currentDateTime();
    r->testing = true;
    r->res = box(1.0 + (i % 900) / 100.0, 4, 2, QStringLiteral("G\u03A9"));
    r->current = box(12.5, 4, 1, QStringLiteral("nA"));
    r->vset = ibox(500);
    r->vout = ibox(498 + i % 5);
    r->dar = box(1.25, 4, 2, QString());
    r->pi = box(2.05, 4, 2, QString());
    r->testTime = quint16(((i / 60) % 256) << 8 | (i % 60));
    return r;
}

std::vector<QSharedPointer<DMMData>> recordPool(int n)
{
    std::vector<QSharedPointer<DMMData>> pool;
    pool.reserve(n);
    for (int i = 0; i < n; ++i)
        pool.push_back(makeIrRecord(i));
    return pool;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

struct ShownTable
{
    ModelSet set;
    QTableView view;
    DataModel *model = set.liveModel(DMMData::dmIR);

    ShownTable()
    {
        view.setModel(model);
        view.resize(900, 600);
        view.show();
        QCoreApplication::processEvents();
    }
};

enum class Step { AppendOnly, AppendAndScroll, AppendScrollAndEvents };

// Each iteration appends one record to a table that already holds
// state.range(0) rows, as the window does for a recorded reading.
void appendToShownTable(benchmark::State &state, Step step)
{
    const int prefill = int(state.range(0));
    static const auto pool = recordPool(4096);
    ShownTable table;
    for (int i = 0; i < prefill; ++i)
        table.model->addData(pool[i % pool.size()]);
    table.view.scrollToBottom();
    QCoreApplication::processEvents();

    size_t i = 0;
    for (auto _ : state) {
        table.model->addData(pool[i++ % pool.size()]);
        if (step != Step::AppendOnly)
            table.view.scrollToBottom();
        if (step == Step::AppendScrollAndEvents)
            QCoreApplication::processEvents();
    }
    state.counters["rows_at_end"] = table.model->rowCount();
}

void BM_Append(benchmark::State &state)
{
    appendToShownTable(state, Step::AppendOnly);
}
void BM_AppendScroll(benchmark::State &state)
{
    appendToShownTable(state, Step::AppendAndScroll);
}
void BM_AppendScrollEvents(benchmark::State &state)
{
    appendToShownTable(state, Step::AppendScrollAndEvents);
}

BENCHMARK(BM_Append)->Arg(1000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendScroll)
    ->Arg(1000)
    ->Arg(1000000)
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendScrollEvents)
    ->Arg(1000)
    ->Arg(1000000)
    ->Iterations(2000)
    ->Unit(benchmark::kMicrosecond);

// Exports a table of one million IR rows to CSV.
void BM_ExportCsv(benchmark::State &state)
{
    static const auto pool = recordPool(4096);
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmIR);
    for (int i = 0; i < state.range(0); ++i)
        model->addData(pool[i % pool.size()]);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big.csv"));
    for (auto _ : state) {
        if (!Utils::exportToCSV(model, file))
            state.SkipWithError("export failed");
    }
    state.counters["bytes"] = QFileInfo(file).size();
}
BENCHMARK(BM_ExportCsv)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Heap bytes per record held by a model, split into the record object with
// its QObject data, the shared pointer's control block, the texts of its
// boxes and the model's list entry.
void reportMemoryPerRecord()
{
    const int n = 100000;
    ModelSet set;
    DataModel *model = set.liveModel(DMMData::dmIR);

    size_t base = heapInUse();
    std::vector<DMMDataIR *> bare;
    bare.reserve(n);
    const size_t vectorBytes = heapInUse() - base;
    base = heapInUse();
    for (int i = 0; i < n; ++i)
        bare.push_back(new DMMDataIR);
    const double objectBytes = double(heapInUse() - base) / n;
    for (DMMDataIR *r : bare)
        delete r;
    bare = {};
    (void)vectorBytes;

    base = heapInUse();
    std::vector<QSharedPointer<DMMData>> shared;
    shared.reserve(n);
    const size_t reserve = heapInUse() - base;
    base = heapInUse();
    for (int i = 0; i < n; ++i)
        shared.push_back(QSharedPointer<DMMData>(new DMMDataIR));
    const double sharedBytes = double(heapInUse() - base) / n;
    shared.clear();

    base = heapInUse();
    for (int i = 0; i < n; ++i)
        shared.push_back(makeIrRecord(i));
    const double filledBytes = double(heapInUse() - base) / n;

    base = heapInUse();
    for (const auto &r : shared)
        model->addData(r);
    const double listBytes = double(heapInUse() - base) / n;
    const double totalHeld = filledBytes + listBytes;
    (void)reserve;

    std::printf("Memory per held IR record (%d records, heap bytes incl. malloc headers):\n", n);
    std::printf("  record object + QObject private data : %7.1f (sizeof(DMMDataIR) = %zu)\n",
                objectBytes, sizeof(DMMDataIR));
    std::printf("  shared pointer control block         : %7.1f\n", sharedBytes - objectBytes);
    std::printf("  box texts and date                   : %7.1f\n", filledBytes - sharedBytes);
    std::printf("  model's list entry                   : %7.1f\n", listBytes);
    std::printf("  total per held record                : %7.1f\n\n", totalHeld);
    model->clear();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    reportMemoryPerRecord();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
