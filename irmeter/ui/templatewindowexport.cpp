#include "templatewindow.h"

#include "datamodel.h"
#include "dialoghooks.h"
#include "mydmm.h"
#include "ui_templatewindow.h"
#include "utils.h"

#include <QApplication>
#include <QUrl>

DataModel *TemplateWindow::visibleModel() const
{
    return ui->tabWgTV->currentIndex() == 0 ? m_currentLiveModel : m_currentStoredModel;
}

void TemplateWindow::on_actionClear_triggered()
{
    const QMessageBox::StandardButton answer =
        DialogHooks::message(QMessageBox::Question, this, QStringLiteral("Clear Data"),
                             tr("Are you sure you want to clear all data?"),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (DataModel *model = visibleModel())
        model->clear();
    resetPlot();
}

void TemplateWindow::on_actionExport_triggered()
{
    m_dmm->setPause(true);
    Utils::delayMs(500, 10);

    const QString fileName =
        DialogHooks::getSaveFileName(this, tr("Save As"), QString(), QStringLiteral("CSV(*.csv)"));
    if (!fileName.isEmpty()) {
        // Taken after the dialog: the page shown is the one the user sees now.
        DataModel *model = visibleModel();
        bool exported = false;
        if (model) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            exported = Utils::exportToCSV(model, fileName);
            QApplication::restoreOverrideCursor();
        }
        if (exported) {
            const QMessageBox::StandardButton answer = DialogHooks::message(
                QMessageBox::Question, this, QString(),
                tr("The data is exported successfully.\r\nDo you want to open this file?"),
                QMessageBox::Yes | QMessageBox::No);
            if (answer == QMessageBox::Yes)
                DialogHooks::openUrl(QUrl::fromLocalFile(fileName));
        } else {
            DialogHooks::message(QMessageBox::Information, this, QString(),
                                 tr("The data is exported failed."), QMessageBox::Ok);
        }
    }

    m_dmm->setPause(false);
}
