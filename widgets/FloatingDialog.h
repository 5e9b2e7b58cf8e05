#pragma once

#include <QDialog>

class DialogController;

// The window of a floating dialog: its close control and Escape go to the
// controller, which alone decides when the window goes (the modal host hides
// it once the controller stops).
class FloatingDialog : public QDialog
{
    Q_OBJECT
public:
    FloatingDialog(DialogController &controller, QWidget *parent);

    void reject() override;

private:
    DialogController &m_controller;
};
