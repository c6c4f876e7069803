// Throughput of the HID transport and of the virtual cable's read path.

#include "hiddevice.h"
#include "hidlayer.h"
#include "virtualhidbus.h"
#include "virtualmetercable.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

// Reads of full reports straight from the virtual cable through the HID layer.
void BM_VirtualCableRead(benchmark::State &state)
{
    auto cable = VirtualMeterCable::plugIn();
    HidHandle *h = HidLayer::openPath(cable->path());
    const QByteArray block(VirtualMeterCable::MaxSerialBytes * 256, 'x');
    unsigned char buf[64];
    for (auto _ : state) {
        state.PauseTiming();
        cable->sendSerial(block);
        state.ResumeTiming();
        for (int i = 0; i < 256; ++i)
            benchmark::DoNotOptimize(HidLayer::readTimeout(h, buf, sizeof buf, 1000));
    }
    state.SetItemsProcessed(state.iterations() * 256);
    HidLayer::close(h);
    VirtualHidBus::instance().detachAll();
}
BENCHMARK(BM_VirtualCableRead);

// Reports from the cable to a readyRead receiver in the main thread: reader
// thread, per-report copy and the queued hand-over included.
void BM_TransportDelivery(benchmark::State &state)
{
    const int reports = int(state.range(0));
    auto cable = VirtualMeterCable::plugIn();
    HIDDevice dev;
    qint64 received = 0;
    QObject::connect(&dev, &HIDDevice::readyRead,
                     [&](unsigned char *, uint length) { received += length; });
    dev.open(QString::fromLatin1(cable->path()));
    const QByteArray block(VirtualMeterCable::MaxSerialBytes * reports, 'y');
    for (auto _ : state) {
        received = 0;
        cable->sendSerial(block);
        QElapsedTimer guard;
        guard.start();
        while (received < block.size() && guard.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    state.SetItemsProcessed(state.iterations() * reports);
    state.SetBytesProcessed(state.iterations() * block.size());
    dev.close();
    VirtualHidBus::instance().detachAll();
}
BENCHMARK(BM_TransportDelivery)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
