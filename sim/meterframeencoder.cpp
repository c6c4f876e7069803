#include "meterframeencoder.h"

#include <cstring>

namespace {

class Writer
{
public:
    explicit Writer(quint8 mode) { m_bytes.append(char(mode)); }

    Writer &u8(quint8 v)
    {
        m_bytes.append(char(v));
        return *this;
    }
    Writer &u16(quint16 v) { return u8(quint8(v >> 8)).u8(quint8(v)); }
    Writer &i16(qint16 v) { return u16(quint16(v)); }
    Writer &i32(qint32 v)
    {
        const auto u = quint32(v);
        return u16(quint16(u >> 16)).u16(quint16(u));
    }
    Writer &f32(float f)
    {
        quint32 bits;
        std::memcpy(&bits, &f, sizeof bits);
        return i32(qint32(bits));
    }

    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Current, set and output voltage, resistance: offsets 6 to 19.
void irCommon(Writer &w, const MeterFrameEncoder::Fields &f)
{
    w.f32(f.current).u8(f.currentUnit).i16(f.vset).i16(f.vout).f32(f.res).u8(f.resUnit);
}

} // namespace

QByteArray MeterFrameEncoder::frame(quint8 type, const QByteArray &payload)
{
    QByteArray body;
    body.reserve(payload.size() + 1);
    body.append(char(type));
    body.append(payload);
    const int length = body.size() + 2;
    const quint16 sum = checksum(body);
    QByteArray out;
    out.reserve(length + 4);
    out.append(char(0xAB));
    out.append(char(0xCD));
    out.append(char((length >> 8) & 0xFF));
    out.append(char(length & 0xFF));
    out.append(body);
    out.append(char(sum >> 8));
    out.append(char(sum & 0xFF));
    return out;
}

quint16 MeterFrameEncoder::checksum(const QByteArray &typeAndPayload)
{
    quint32 sum = 0;
    for (char c : typeAndPayload)
        sum += quint8(c);
    return quint16(sum);
}

QByteArray MeterFrameEncoder::livePayload(const Fields &f)
{
    Writer w(f.mode);
    switch (f.mode) {
    case IR:
        irCommon(w, f);
        w.i16(f.auxWord)
            .u8(f.testing)
            .u8(f.overRange)
            .f32(f.dar)
            .f32(f.pi)
            .u8(f.indicator)
            .u16(f.testTime);
        break;
    case Time:
        irCommon(w, f);
        w.u16(f.elapsedTime).i16(f.auxWord).u8(f.testing).u8(f.overRange).u16(f.setTime);
        break;
    case PI:
    case DAR:
        irCommon(w, f);
        w.f32(f.res2).u8(f.res2Unit).f32(f.ratio).u16(f.elapsedTime).i16(f.auxWord);
        w.u8(f.testing).u8(f.overRange).u16(f.setTime).u16(f.setTime2).u8(f.res2OverRange);
        break;
    case COMP:
        w.f32(f.current).u8(f.currentUnit).i16(f.vset).i16(f.vout);
        w.i32(f.compLimit).u8(f.compLimitUnit).f32(f.res).u8(f.resUnit).u8(f.compResult);
        w.i16(f.auxWord).u8(f.testing).u8(f.overRange);
        break;
    case CAP:
        w.f32(f.cap).i16(f.vset).i16(f.auxWord).u8(f.testing).u8(f.capCode);
        break;
    case VOLT:
        w.i16(f.volt).u8(f.coupling).u8(f.negative).i16(f.auxWord).u8(f.voltCode);
        break;
    case RES:
        w.f32(f.res).u8(f.overRange).u8(f.testing).u8(f.resCode).u8(0).i16(f.auxWord);
        break;
    default:
        break;
    }
    return w.bytes();
}

QByteArray MeterFrameEncoder::storedPayload(const Fields &f)
{
    Writer w(f.mode);
    switch (f.mode) {
    case IR:
        irCommon(w, f);
        w.u8(f.overRange).f32(f.dar).f32(f.pi).u8(f.indicator).u16(f.testTime);
        break;
    case Time:
        irCommon(w, f);
        w.u16(f.elapsedTime).u8(f.overRange);
        break;
    case PI:
    case DAR:
        w.f32(f.current).u8(f.currentUnit).i16(f.vset).i16(f.vout).u8(f.overRange);
        w.f32(f.res).u8(f.resUnit).f32(f.res2).u8(f.res2Unit).f32(f.ratio).u8(0);
        w.u16(f.elapsedTime).u8(f.res2OverRange);
        break;
    case COMP:
        w.f32(f.current).u8(f.currentUnit).i16(f.vset).i16(f.vout);
        w.i32(f.compLimit).u8(f.compLimitUnit).f32(f.res).u8(f.resUnit).u8(f.compResult);
        w.u8(f.overRange);
        break;
    case CAP:
        w.i16(f.vset).u16(0).f32(f.cap).u8(f.capCode);
        break;
    case VOLT:
        w.i16(f.volt).u8(f.coupling).u8(f.negative).u8(f.voltCode);
        break;
    case RES:
        w.f32(f.res).u8(f.overRange).u8(f.testing).u8(f.resCode);
        break;
    default:
        break;
    }
    return w.bytes();
}
