// Frame assembly and decoding of a long mixed stream of live and stored
// frames, delivered the way the cable delivers it (63 serial bytes per
// report) and as one large delivery. Besides frames and bytes per second,
// "x_cable" gives the throughput as a multiple of the cable's ceiling: one
// 63-byte report per millisecond, 63,000 serial bytes per second.

#include "meterframeencoder.h"
#include "mydmm.h"
#include "virtualtester.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr double CableBytesPerSecond = 63000.0;

struct Stream
{
    QByteArray bytes;
    int frames = 0;
};

// Every scenario step live, with a stored reading after every tenth frame.
const Stream &mixedStream()
{
    static const Stream s = [] {
        Stream out;
        const QList<MeterFrameEncoder::Fields> stored = VirtualTester::storedFields();
        for (int i = 0; i < 4000; ++i) {
            out.bytes += MeterFrameEncoder::liveFrame(VirtualTester::liveFields(i));
            ++out.frames;
            if (i % 10 == 9) {
                out.bytes += MeterFrameEncoder::storedFrame(stored.at(i % stored.size()));
                ++out.frames;
            }
        }
        return out;
    }();
    return s;
}

void quietHandler(QtMsgType, const QMessageLogContext &, const QString &) {}

void run(benchmark::State &state, int chunk)
{
    const Stream &s = mixedStream();
    MyDMM link;
    qint64 records = 0;
    auto take = [&](QSharedPointer<DMMData>) { ++records; };
    QObject::connect(&link, &MyDMM::updateLiveData, take);
    QObject::connect(&link, &MyDMM::updateStoreData, take);
    const auto *data = reinterpret_cast<const uint8_t *>(s.bytes.constData());
    const int size = s.bytes.size();
    for (auto _ : state) {
        for (int off = 0; off < size; off += chunk)
            link.slotSerialDeviceRead(data + off, uint(std::min(chunk, size - off)));
    }
    if (records != qint64(state.iterations()) * s.frames)
        state.SkipWithError("frames lost");
    const double bytes = double(state.iterations()) * size;
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["frames_per_s"] =
        benchmark::Counter(double(state.iterations()) * s.frames, benchmark::Counter::kIsRate);
    state.counters["x_cable"] =
        benchmark::Counter(bytes / CableBytesPerSecond, benchmark::Counter::kIsRate);
}

void BM_MixedStreamCableReports(benchmark::State &state)
{
    run(state, 63);
}
BENCHMARK(BM_MixedStreamCableReports)->Unit(benchmark::kMillisecond);

void BM_MixedStreamOneDelivery(benchmark::State &state)
{
    run(state, mixedStream().bytes.size());
}
BENCHMARK(BM_MixedStreamOneDelivery)->Unit(benchmark::kMillisecond);

// Assembly alone over junk with no header: the receive buffer must stay
// bounded and the scan linear.
void BM_JunkOnly(benchmark::State &state)
{
    MyDMM link;
    const QByteArray junk(63, '\x5A');
    const auto *data = reinterpret_cast<const uint8_t *>(junk.constData());
    for (auto _ : state)
        link.slotSerialDeviceRead(data, uint(junk.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * junk.size());
    state.counters["x_cable"] =
        benchmark::Counter(double(state.iterations()) * junk.size() / CableBytesPerSecond,
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_JunkOnly);

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietHandler);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
