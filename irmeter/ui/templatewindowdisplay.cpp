#include "templatewindow.h"

#include "datamodel.h"
#include "timebox.h"
#include "ui_templatewindow.h"

namespace {

const QString kBlank = QStringLiteral(" ");
const QString kRed = QStringLiteral("background-color:#ff0000");

QString greater(bool flag)
{
    return flag ? QStringLiteral(">") : kBlank;
}

} // namespace

double TemplateWindow::getUnitMul(const QString &unit)
{
    if (unit.contains(QLatin1Char('M'), Qt::CaseInsensitive))
        return 1.0;
    if (unit.contains(QLatin1Char('G'), Qt::CaseInsensitive))
        return 1000.0;
    if (unit.contains(QLatin1Char('T'), Qt::CaseInsensitive))
        return 1000000.0;
    return 1.0;
}

void TemplateWindow::updateDataToDisplay(QSharedPointer<DMMData> data)
{
    if (!data || data->mode < DMMData::dmIR || data->mode > DMMData::dmRES)
        return;

    // Every label is written for every mode, so nothing of the previous
    // mode survives a change of mode.
    struct Panel
    {
        QString top1, left1, vset, left2, vout, left3, lc, main;
        QString greater = kBlank;
        QString right1, right11, right2, right21, right21Style, right3, right31;
        QString timeSet1 = kBlank, timeSet11 = kBlank, timeSet2 = kBlank, timeSet21 = kBlank;
        QString testingStyle;
    } p;

    // Shared by the insulation family (IR, Time, PI, DAR, COMP).
    auto insulation = [&p](DMMDataIR &r) {
        p.left1 = tr("Vset:");
        p.vset = r.vset.toString();
        p.left2 = tr("Vout:");
        p.vout = r.vout.toString();
        p.left3 = QStringLiteral("LC:");
        p.lc = r.current.toString();
    };

    switch (data->mode) {
    case DMMData::dmIR: {
        auto &r = static_cast<DMMDataIR &>(*data);
        insulation(r);
        p.main = r.res.toString();
        p.greater = greater(r.overRange);
        p.right1 = QStringLiteral("DAR:");
        p.right11 = r.dar.toString();
        p.right2 = QStringLiteral("PI:");
        p.right21 = r.pi.toString();
        p.right3 = tr("Time:");
        p.right31 = TimeBox::convertString(r.testTime);
        break;
    }
    case DMMData::dmTime: {
        auto &r = static_cast<DMMDataTime &>(*data);
        insulation(r);
        p.top1 = QStringLiteral("Time");
        p.main = r.res.toString();
        p.greater = greater(r.overRange);
        p.right3 = tr("Time:");
        p.right31 = TimeBox::convertString(r.elapsedTime);
        p.timeSet1 = tr("Time-Set:");
        p.timeSet11 = TimeBox::convertString(r.setTime);
        break;
    }
    case DMMData::dmPI:
    case DMMData::dmDAR: {
        auto &r = static_cast<DMMDataPIDAR &>(*data);
        insulation(r);
        if (data->mode == DMMData::dmPI) {
            p.top1 = QStringLiteral("PI");
            p.main = static_cast<DMMDataPI &>(r).piRatio.toString();
        } else {
            p.top1 = QStringLiteral("DAR");
            p.main = static_cast<DMMDataDAR &>(r).darRatio.toString();
        }
        p.right1 = tr("RES1:");
        p.right11 = greater(r.overRange) + r.res.toString();
        p.right2 = tr("RES2:");
        p.right21 = greater(r.res2OverRange) + r.res2.toString();
        p.right3 = tr("Time:");
        p.right31 = TimeBox::convertString(r.elapsedTime);
        p.timeSet1 = tr("Time-Set1:");
        p.timeSet11 = TimeBox::convertString(r.setTime);
        p.timeSet2 = tr("Time-Set2:");
        p.timeSet21 = TimeBox::convertString(r.setTime2);
        break;
    }
    case DMMData::dmCOMP: {
        auto &r = static_cast<DMMDataCOMP &>(*data);
        insulation(r);
        p.top1 = QStringLiteral("COMP");
        p.main = r.res.toString();
        p.greater = greater(r.overRange);
        p.right1 = tr("RES-COMP:");
        p.right11 = r.compLimit.toString();
        p.right2 = tr("Result:");
        if (r.compResult == DMMDataCOMP::CompNone) {
            // No comparison yet: neither a word nor a colour.
        } else if (r.compResult == DMMDataCOMP::CompPass) {
            p.right21 = QStringLiteral("PASS");
            p.right21Style = QStringLiteral("color:#00ff00");
        } else {
            p.right21 = QStringLiteral("FAIL");
            p.right21Style = QStringLiteral("color:#ff0000");
        }
        break;
    }
    case DMMData::dmCAP: {
        auto r = data.staticCast<DMMDataCAP>();
        p.top1 = QStringLiteral("CAP");
        p.left1 = tr("Vset:");
        p.vset = r->vset.toString();
        p.main = DataModel::getCAPViewStr(r);
        break;
    }
    case DMMData::dmVOLT: {
        auto r = data.staticCast<DMMDataVOLT>();
        p.top1 = QStringLiteral("VOLT");
        p.main = DataModel::getVOLTViewStr(r);
        p.right11 = r->coupling;
        break;
    }
    case DMMData::dmRES: {
        auto &r = static_cast<DMMDataRES &>(*data);
        p.top1 = QStringLiteral("RES");
        p.main = r.res.toString();
        p.greater = greater(r.overRange);
        break;
    }
    }

    // The voltage decoder always reports a test in progress; a voltage
    // reading is no insulation test, so the indicator stays dark for it.
    if (data->testing && data->mode != DMMData::dmVOLT)
        p.testingStyle = kRed;

    ui->lcdTop1->setText(p.top1);
    ui->lcdLeft1->setText(p.left1);
    ui->lcdVSet->setText(p.vset);
    ui->lcdLeft2->setText(p.left2);
    ui->lcdVOut->setText(p.vout);
    ui->lcdLeft3->setText(p.left3);
    ui->lcdLC->setText(p.lc);
    ui->lcdMain->setText(p.main);
    ui->lcdGreaterSign->setText(p.greater);
    ui->lcdRight1->setText(p.right1);
    ui->lcdRight11->setText(p.right11);
    ui->lcdRight2->setText(p.right2);
    ui->lcdRight21->setText(p.right21);
    ui->lcdRight21->setStyleSheet(p.right21Style);
    ui->lcdRight3->setText(p.right3);
    ui->lcdRight31->setText(p.right31);
    ui->lcdTimeSet1->setText(p.timeSet1);
    ui->lcdTimeSet11->setText(p.timeSet11);
    ui->lcdTimeSet2->setText(p.timeSet2);
    ui->lcdTimeSet21->setText(p.timeSet21);
    ui->lcdTesting->setStyleSheet(p.testingStyle);
}
