#include "templatewindow.h"

#include "appoptions.h"
#include "dlgoption.h"
#include "ui_dlgoption.h"
#include "ui_templatewindow.h"

void TemplateWindow::loadSetting()
{
    const AppOptions options = AppOptions::load();
    restoreGeometry(options.geometry);
    m_language = options.language;
    m_samplePoints = options.samplePoints;
    m_sampleInterval = options.sampleInterval;
    m_recordAtTesttime = options.recordAtTesttime;
}

void TemplateWindow::saveSetting()
{
    AppOptions options;
    options.geometry = saveGeometry();
    options.language = m_language;
    options.samplePoints = m_samplePoints;
    options.sampleInterval = m_sampleInterval;
    options.recordAtTesttime = m_recordAtTesttime;
    options.save();
}

void TemplateWindow::startSampleTimer()
{
    stopSampleTimer();
    if (m_sampleInterval > 0) {
        m_sampleDue = false;
        m_sampleTimerId = startTimer(m_sampleInterval, Qt::CoarseTimer);
    }
}

void TemplateWindow::stopSampleTimer()
{
    if (m_sampleTimerId != 0) {
        killTimer(m_sampleTimerId);
        m_sampleTimerId = 0;
    }
}

void TemplateWindow::on_actionOptions_triggered()
{
    DlgOption dlg(nullptr);
    dlg.setWindowTitle(tr("Options"));
    Ui::DlgOption *form = dlg.form();

    form->cbbLanguage->addItem(tr("Chinese"), QStringLiteral("zh_CN"));
    form->cbbLanguage->addItem(tr("English"), QStringLiteral("en_US"));
    for (int i = 0; i < form->cbbLanguage->count(); ++i) {
        if (form->cbbLanguage->itemData(i).toString() == m_language) {
            form->cbbLanguage->setCurrentIndex(i);
            break;
        }
    }

    if (m_samplePoints == -1) {
        form->cbInfinite->setChecked(true);
        form->spinSamplePoints->setEnabled(false);
    } else {
        form->spinSamplePoints->setValue(m_samplePoints);
    }
    form->spinSampleInterval->setValue(m_sampleInterval);
    form->cbRecordAtTesttimg->setChecked(m_recordAtTesttime);

    if (dlg.exec() == QDialog::Accepted) {
        m_samplePoints = form->cbInfinite->isChecked() ? -1 : form->spinSamplePoints->value();
        m_sampleInterval = form->spinSampleInterval->value();
        startSampleTimer();
        m_language = form->cbbLanguage->currentData().toString();
        m_recordAtTesttime = form->cbRecordAtTesttimg->isChecked();
    }
    saveSetting();
}
