#pragma once

#include <QDialog>

class DiagExit;

// Leave a recorder half set up? The steps done, Exit or stay.
class ExitDialog : public QDialog
{
    Q_OBJECT
public:
    ExitDialog(DiagExit &diag, QWidget *parent = nullptr);
};
