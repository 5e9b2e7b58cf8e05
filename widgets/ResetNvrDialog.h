#pragma once

#include <QDialog>

class DiagResetNVR;

// Asks for the account that authorises the factory reset; a wrong one
// reopens it with its warning.
class ResetNvrDialog : public QDialog
{
    Q_OBJECT
public:
    ResetNvrDialog(DiagResetNVR &diag, QWidget *parent = nullptr);
};
