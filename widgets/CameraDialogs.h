#pragma once

#include "widgets/FloatingDialog.h"

class DiagNewPassword;
class DiagVerifyPassword;
class QLineEdit;
class QPushButton;
class installCamera;

// The password of a camera whose password is unknown, checked with the camera.
class VerifyPasswordDialog : public FloatingDialog
{
    Q_OBJECT
public:
    VerifyPasswordDialog(DiagVerifyPassword &diag, QWidget *parent = nullptr);

private:
    void refresh();

    DiagVerifyPassword &m_diag;
    QLineEdit *m_password;
    QPushButton *m_save;
    QPushButton *m_cancel;
};

// A new password, typed twice, for a camera that has none.
class NewPasswordDialog : public FloatingDialog
{
    Q_OBJECT
public:
    NewPasswordDialog(DiagNewPassword &diag, QWidget *parent = nullptr);

private:
    void refresh();

    DiagNewPassword &m_diag;
    QLineEdit *m_password;
    QLineEdit *m_repeat;
    QPushButton *m_save;
    QPushButton *m_cancel;
};

// How to connect a camera the recorder did not find.
class InstallCameraDialog : public QDialog
{
    Q_OBJECT
public:
    InstallCameraDialog(installCamera &diag, QWidget *parent = nullptr);
};
