#pragma once

#include <QDialog>

class DiagCheckNVRInternet;

// How to check the recorder's own internet connection.
class CheckNvrInternetDialog : public QDialog
{
    Q_OBJECT
public:
    CheckNvrInternetDialog(DiagCheckNVRInternet &diag, QWidget *parent = nullptr);
};
