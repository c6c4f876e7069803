#include "recordbar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace {

const char kIntervalCaption[] = "Sampling Interval              'S";
const char kIntervalLead[] = "Sampling Interval ";

QToolButton *imageButton(QWidget *parent, const char *name, QStyle::StandardPixmap pixmap,
                         const char *hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(pixmap));
    b->setToolTip(QString::fromLatin1(hint));
    b->setAutoRaise(true);
    b->setFixedSize(25, 25);
    return b;
}

} // namespace

RecordBar::RecordBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("RecordBar"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);
    setFixedSize(BarWidth, BarHeight);

    m_repeatSet = new QCheckBox(QStringLiteral("Repeat"), this);
    m_repeatSet->setObjectName(QStringLiteral("RepeatSet"));
    m_repeatSet->setChecked(true);
    m_repeatSet->move(8, 4);
    m_repeatSet->adjustSize();

    m_recordSI = new QCheckBox(QString::fromLatin1(kIntervalCaption), this);
    m_recordSI->setObjectName(QStringLiteral("RecordSI"));
    m_recordSI->setChecked(false);
    m_recordSI->move(m_repeatSet->geometry().right() + 24, 4);
    m_recordSI->adjustSize();

    // The seconds edit lies over the blank part of the caption.
    m_recordSITime = new QLineEdit(QStringLiteral("10"), this);
    m_recordSITime->setObjectName(QStringLiteral("RecordSITime"));
    m_recordSITime->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    QStyleOptionButton opt;
    opt.initFrom(m_recordSI);
    const int indicator = m_recordSI->style()->pixelMetric(QStyle::PM_IndicatorWidth, &opt) +
                          m_recordSI->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &opt);
    const QFontMetrics fm(m_recordSI->font());
    const int lead = fm.horizontalAdvance(QString::fromLatin1(kIntervalLead));
    const int blank = fm.horizontalAdvance(QString::fromLatin1(kIntervalCaption)) - lead -
                      fm.horizontalAdvance(QStringLiteral("'S")) -
                      fm.horizontalAdvance(QLatin1Char(' '));
    m_recordSITime->setGeometry(m_recordSI->x() + indicator + lead, 3, qMax(24, blank), 21);
    m_recordSITime->raise();

    m_save = imageButton(this, "SaveR", QStyle::SP_DialogSaveButton, "Save Data");
    m_delete = imageButton(this, "ClearR", QStyle::SP_TrashIcon, "Delete Data");
    m_open = imageButton(this, "OpenR", QStyle::SP_DialogOpenButton, "Open Data");
    m_print = imageButton(this, "MajPrint", QStyle::SP_FileDialogDetailedView, "Print Data");
    int x = BarWidth - 4 * 30 - 6;
    for (QToolButton *b : {m_save, m_delete, m_open, m_print}) {
        b->move(x, 0);
        x += 30;
    }
}
