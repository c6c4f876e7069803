// The whole application offscreen, fed through the virtual cable.
//
//   BM_LiveSoak            one full 64-byte report per millisecond (the cable's
//                          ceiling) for --duration=SECONDS (default 60): frames
//                          sent against records received, CPU time per second,
//                          the longest stall of the event loop and the delay
//                          from report to panel (median and worst).
//   BM_RecordReading/N     GUI-thread cost of one recorded live reading, event
//                          loop pass included, with N rows already in the Live
//                          table.
#include "datamodel.h"
#include "dmmdata.h"
#include "meterframeencoder.h"
#include "modelset.h"
#include "mydmm.h"
#include "templatewindow.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
double g_durationSeconds = 60.0;

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

MeterFrameEncoder::Fields liveIr(int seq)
{
    MeterFrameEncoder::Fields f;
    f.mode = MeterFrameEncoder::IR;
    f.res = 10.0f + float(seq % 97) * 0.25f;
    f.resUnit = 1;
    f.vset = 500;
    f.vout = 499;
    f.current = 1.25f;
    f.testing = 1;
    // The sequence number travels in the test time.
    f.testTime = quint16(seq);
    return f;
}

void BM_LiveSoak(benchmark::State &state)
{
    for (auto _ : state) {
        auto cable = VirtualMeterCable::plugIn(QStringLiteral("SOAK"));
        TemplateWindow window(nullptr, Qt::WindowFlags());
        window.show();
        QCoreApplication::processEvents();
        auto *dmm = window.findChild<MyDMM *>();

        // Every frame of the run, back to back, and where each one ends.
        const int frameLength = MeterFrameEncoder::liveFrame(liveIr(0)).size();
        const qint64 reports = qint64(g_durationSeconds * 1000.0);
        const int frames = int(reports * VirtualMeterCable::MaxSerialBytes / frameLength) + 1;
        QByteArray stream;
        stream.reserve(frames * frameLength);
        for (int i = 0; i < frames; ++i)
            stream += MeterFrameEncoder::liveFrame(liveIr(i));
        std::vector<std::atomic<qint64>> sentAt(size_t(frames) + 1);

        std::vector<qint64> delays;
        delays.reserve(size_t(frames));
        int received = 0;
        int outOfOrder = 0;
        QObject::connect(dmm, &MyDMM::updateLiveData, &window, [&](QSharedPointer<DMMData> data) {
            // Runs after the window's own handler.
            const qint64 now = Clock::now().time_since_epoch().count();
            const auto *ir = static_cast<const DMMDataIR *>(data.data());
            if (ir->testTime != quint16(received))
                ++outOfOrder;
            const qint64 sent = sentAt[size_t(received)].load();
            if (sent > 0)
                delays.push_back(now - sent);
            ++received;
        });

        window.openDevice(QString::fromUtf8(cable->path()));

        // Event-loop stalls: gaps between the ticks of a 1 ms timer.
        qint64 longestGapNs = 0;
        QElapsedTimer gapClock;
        gapClock.start();
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longestGapNs = std::max(longestGapNs, gapClock.nsecsElapsed());
            gapClock.restart();
        });
        ticker.start(1);

        std::atomic<bool> feeding{true};
        std::atomic<int> framesSent{0};
        const double cpuBefore = cpuSeconds();
        const auto started = Clock::now();
        std::thread feeder([&] {
            qint64 offset = 0;
            int nextFrameEnd = frameLength;
            int frameIndex = 0;
            auto due = Clock::now();
            for (qint64 r = 0; r < reports && feeding; ++r) {
                std::this_thread::sleep_until(due);
                due += std::chrono::milliseconds(1);
                const int n = int(
                    std::min<qint64>(VirtualMeterCable::MaxSerialBytes, stream.size() - offset));
                const qint64 now = Clock::now().time_since_epoch().count();
                offset += n;
                // Frames completed by this report.
                while (nextFrameEnd <= offset && frameIndex < frames) {
                    sentAt[size_t(frameIndex)].store(now);
                    ++frameIndex;
                    nextFrameEnd += frameLength;
                }
                cable->sendSerial(stream.mid(int(offset - n), n));
                framesSent = frameIndex;
            }
        });

        while (Clock::now() - started < std::chrono::duration<double>(g_durationSeconds))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        feeding = false;
        feeder.join();
        const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
        const double cpu = cpuSeconds() - cpuBefore;
        // Let the last reports through.
        QElapsedTimer drain;
        drain.start();
        while (received < framesSent && drain.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ticker.stop();

        std::sort(delays.begin(), delays.end());
        const double medianMs = delays.empty() ? 0.0 : delays[delays.size() / 2] / 1e6;
        const double worstMs = delays.empty() ? 0.0 : delays.back() / 1e6;

        state.counters["frames_sent"] = framesSent.load();
        state.counters["records_received"] = received;
        state.counters["lost"] = framesSent.load() - received;
        state.counters["out_of_order"] = outOfOrder;
        state.counters["live_rows"] = window.currentLiveModel()->rowCount(QModelIndex());
        state.counters["cpu_s_per_s"] = cpu / elapsed;
        state.counters["longest_stall_ms"] = longestGapNs / 1e6;
        state.counters["delay_median_ms"] = medianMs;
        state.counters["delay_worst_ms"] = worstMs;

        window.close();
        cable->unplug();
        VirtualHidBus::instance().detachAll();
    }
}

// One window for the per-reading cost, its Live IR table filled directly.
TemplateWindow *g_window = nullptr;

void BM_RecordReading(benchmark::State &state)
{
    DataModel *live = g_window->models()->liveModel(DMMData::dmIR);
    live->clear();
    g_window->resetPlot();
    QSharedPointer<DMMDataIR> proto(new DMMDataIR);
    proto->res.value = 12.5;
    proto->res.text = QStringLiteral("12.5");
    proto->res.unit = QStringLiteral("G") + QChar(0x03A9);
    proto->dateTime = QDateTime(QDate(2024, 6, 25), QTime(1, 19, 6));
    proto->testing = true;
    for (qint64 i = 0; i < state.range(0); ++i)
        live->addData(proto);
    QCoreApplication::processEvents();

    int step = 0;
    for (auto _ : state) {
        QSharedPointer<DMMDataIR> record(new DMMDataIR);
        record->res = proto->res;
        record->res.value = 10.0 + (++step % 50);
        record->dateTime = proto->dateTime.addMSecs(step);
        record->testing = true;
        QMetaObject::invokeMethod(g_window, "updateLiveData", Qt::DirectConnection,
                                  Q_ARG(QSharedPointer<DMMData>, record));
        // The pass of the event loop that follows: the deferred scroll, the
        // queued replot and the repaint.
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = double(live->rowCount(QModelIndex()));
}

} // namespace

BENCHMARK(BM_LiveSoak)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_RecordReading)
    ->Arg(1000)
    ->Arg(1000000)
    ->Iterations(500)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    // --duration=SECONDS for the soak; the rest goes to the benchmark library.
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--duration=", 11) == 0)
            g_durationSeconds = std::max(1.0, std::atof(argv[i] + 11));
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(count, args.data());
    // options.ini stays out of the caller's directory.
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    TemplateWindow window(nullptr, Qt::WindowFlags());
    window.show();
    QCoreApplication::processEvents();
    g_window = &window;

    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window = nullptr;
    return 0;
}
