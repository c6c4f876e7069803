// libFuzzer target: arbitrary bytes through frame assembly and both
// decoders. The first input byte chooses how the rest is cut into
// deliveries, so frames split across deliveries are explored as well.

#include "mydmm.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

void quietHandler(QtMsgType, const QMessageLogContext &, const QString &) {}

// Reading every text of a record the way the views do.
void touch(const QSharedPointer<DMMData> &d)
{
    switch (d->mode) {
    case DMMData::dmIR:
    case DMMData::dmTime:
    case DMMData::dmCOMP: {
        auto ir = d.staticCast<DMMDataIR>();
        ir->res.toString();
        ir->current.toString();
        ir->dar.toString();
        ir->pi.toString();
        TimeBox::convertString(ir->testTime);
        break;
    }
    case DMMData::dmPI:
        d.staticCast<DMMDataPI>()->piRatio.toString();
        d.staticCast<DMMDataPI>()->res2.toString();
        break;
    case DMMData::dmDAR:
        d.staticCast<DMMDataDAR>()->darRatio.toString();
        break;
    case DMMData::dmCAP:
        d.staticCast<DMMDataCAP>()->cap.toString();
        break;
    case DMMData::dmVOLT:
        d.staticCast<DMMDataVOLT>()->volt.toString();
        break;
    case DMMData::dmRES:
        d.staticCast<DMMDataRES>()->res.toString();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(quietHandler);
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int chunk = 1 + data[0];
    ++data;
    --size;

    MyDMM link;
    QObject::connect(&link, &MyDMM::updateLiveData, &touch);
    QObject::connect(&link, &MyDMM::updateStoreData, &touch);

    for (size_t off = 0; off < size; off += size_t(chunk))
        link.slotSerialDeviceRead(data + off, uint(std::min(size - off, size_t(chunk))));
    if (link.pendingBytes() > MyDMM::MaxFrameSize + 4)
        __builtin_trap();

    // The decoders on their own, with the input taken as a checked frame.
    // An exact-size copy lets the sanitizer see any read past its end.
    const QByteArray frame(reinterpret_cast<const char *>(data), int(size));
    link.decodeLiveData(frame);
    link.decodeStoreData(frame);
    return 0;
}
