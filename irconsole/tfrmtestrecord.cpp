// The record area of the form: the record bar, the table of readings and the
// chart below it, placed in RecordBarArea, GridArea, ChartArea and
// ChartBarArea. INDataToTable is called for every frame that shows a main
// digit, with readingValue, readingUnit, functionText and remarkText set.

#include "tfrmtest.h"

void TFrmTest::createRecordArea()
{
    // The record bar, grid and chart are built here.
}

void TFrmTest::INDataToTable(int)
{
    // Readings are not recorded yet.
}
