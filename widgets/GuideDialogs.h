#pragma once

#include <QDialog>

class DiagLEDStateRed;
class DiagMacAddress;
class DiagReset;

// The troubleshooting dialogs of the installation guide.
class LedStateRedDialog : public QDialog
{
    Q_OBJECT
public:
    LedStateRedDialog(DiagLEDStateRed &diag, QWidget *parent = nullptr);
};

class ResetDialog : public QDialog
{
    Q_OBJECT
public:
    ResetDialog(DiagReset &diag, QWidget *parent = nullptr);
};

class MacAddressDialog : public QDialog
{
    Q_OBJECT
public:
    MacAddressDialog(DiagMacAddress &diag, QWidget *parent = nullptr);
};
