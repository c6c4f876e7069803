#ifndef DLGOPTION_H
#define DLGOPTION_H

#include <QDialog>

namespace Ui {
class DlgOption;
}

// The options dialog: language, sample-point limit, sample interval and the
// record-only-while-testing switch. The window fills the widgets before it
// runs the dialog and reads them back when the dialog is accepted; the
// dialog itself only keeps the points spin box disabled while "Infinite" is
// checked. OK accepts; the title-bar close button and Escape reject.
class DlgOption : public QDialog
{
    Q_OBJECT
public:
    explicit DlgOption(QWidget *parent = nullptr);
    ~DlgOption() override;

    Ui::DlgOption *form() const { return ui; }

private slots:
    void on_cbInfinite_toggled(bool checked);
    void on_spinSamplePoints_valueChanged(int value);

private:
    Ui::DlgOption *ui;
};

#endif // DLGOPTION_H
