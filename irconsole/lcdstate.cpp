#include "lcdstate.h"

#include <QDebug>

namespace {

QStringList barNames()
{
    QStringList names{QStringLiteral("Bar0"), QStringLiteral("BAR1")};
    for (int i = 2; i <= 30; ++i)
        names << QStringLiteral("bar%1").arg(i);
    return names;
}

} // namespace

const QStringList &LcdState::dispInitNames()
{
    static const QStringList names =
        barNames() +
        QStringList{"LabFUL",    "Labclr",   "Labng",    "Shape1",  "Shape2",  "Shape3",  "Shape4",
                    "labdc",     "labt",     "labac",    "labmo",   "Labgo",   "Labv",    "Labo",
                    "Labmo1",    "Labgo1",   "Labto",    "power",   "labs1",   "labs2",   "labs3",
                    "labCOMP",   "labTIME1", "labtime2", "Labtime", "labsave", "labLoad", "labp1",
                    "danger",    "IMoff",    "IMmike",   "IGPower", "powerV1", "powerv2", "powerv3",
                    "T_dPoint1", "Point1",   "Point2",   "Point3",  "LabelF",  "Labgood", "stor1",
                    "Label4"};
    return names;
}

const QStringList &LcdState::digitNames()
{
    static const QStringList names{"LabelA",  "LabelB",  "LabelC", "LabelD",  "Label3",
                                   "Label7",  "Label10", "Label9", "H_Time1", "H_Time2",
                                   "M_Time1", "M_Time2", "stor2"};
    return names;
}

const QStringList &LcdState::allNames()
{
    static const QStringList names =
        dispInitNames() + digitNames() + QStringList{"KD", "CONok", "CONokN", "rsUSB"};
    return names;
}

bool LcdState::isKnown(const QString &name)
{
    return allNames().contains(name);
}

LcdState::LcdState()
{
    for (const QString &name : allNames())
        m_lit.insert(name, false);
    for (const QString &name : digitNames())
        m_caption.insert(name, QString());
    // Before the first frame only the bar-graph scale and the "no link"
    // indicator are shown.
    m_lit[QStringLiteral("KD")] = true;
    m_lit[QStringLiteral("CONokN")] = true;
}

bool LcdState::isLit(const QString &name) const
{
    const auto it = m_lit.constFind(name);
    if (it == m_lit.constEnd()) {
        qWarning() << "LcdState: unknown control" << name;
        return false;
    }
    return it.value();
}

void LcdState::setLit(const QString &name, bool lit)
{
    auto it = m_lit.find(name);
    if (it == m_lit.end()) {
        qWarning() << "LcdState: unknown control" << name;
        return;
    }
    it.value() = lit;
}

QString LcdState::caption(const QString &name) const
{
    return m_caption.value(name);
}

void LcdState::setCaption(const QString &name, const QString &caption)
{
    if (!m_caption.contains(name)) {
        qWarning() << "LcdState: no caption on" << name;
        return;
    }
    m_caption[name] = caption;
}

bool LcdState::operator==(const LcdState &other) const
{
    return m_lit == other.m_lit && m_caption == other.m_caption;
}
