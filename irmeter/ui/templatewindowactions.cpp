#include "templatewindow.h"

#include "ui_templatewindow.h"

// Start/Pause are in templatewindowacquisition.cpp, Options in
// templatewindowsettings.cpp, Clear/Export in templatewindowexport.cpp.

void TemplateWindow::on_actionClose_triggered()
{
    close();
}

// Switching between the Live and the Stored page gives the view its model
// again and reloads the plot from the records of the page now shown.
void TemplateWindow::on_tabWgTV_currentChanged(int index)
{
    // The plot now shows the page in view; a stored reading arriving later
    // must reload it rather than add to the live curve.
    if (index == 0 || index == 1)
        m_plotShowsLive = index == 0;
    if (index == 0)
        changeLiveDataMode(static_cast<DMMData::DataMode>(m_currentLiveMode), true);
    else if (index == 1)
        changeStoredDataMode(static_cast<DMMData::DataMode>(m_currentStoredMode), true);
}
