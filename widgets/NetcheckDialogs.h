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

class DiagUnreachable;

// The computer cannot reach the picked recorder: why, and whether to go on anyway.
class UnreachableDialog : public QDialog
{
    Q_OBJECT
public:
    UnreachableDialog(DiagUnreachable &diag, QWidget *parent = nullptr);
};
