#include "templatewindow.h"

#include "ui_templatewindow.h"

// Acquisition (Start/Pause), the options dialog and the Clear/Export table
// actions are wired to the meter link and the settings elsewhere; until then
// these handlers deliberately do nothing.
void TemplateWindow::on_actionStart_triggered() {}
void TemplateWindow::on_actionPause_triggered(bool checked)
{
    Q_UNUSED(checked)
}
void TemplateWindow::on_actionOptions_triggered() {}
void TemplateWindow::on_actionClear_triggered() {}
void TemplateWindow::on_actionExport_triggered() {}

void TemplateWindow::on_actionClose_triggered()
{
    close();
}

// Switching between the Live and the Stored page gives the view its model
// again and reloads the plot from the records of the page now shown.
void TemplateWindow::on_tabWgTV_currentChanged(int index)
{
    if (index == 0)
        changeLiveDataMode(static_cast<DMMData::DataMode>(m_currentLiveMode), true);
    else if (index == 1)
        changeStoredDataMode(static_cast<DMMData::DataMode>(m_currentStoredMode), true);
}
