#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Setup_ConfirmPasswordView;
class Setup_SetPasswordView;

// The password step's form for a recorder in its factory state.
class SetPasswordForm : public QWidget
{
    Q_OBJECT
public:
    SetPasswordForm(Setup_SetPasswordView &form, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_SetPasswordView &m_form;
    QLabel *m_text;
    QLabel *m_passwordLabel;
    QLineEdit *m_password;
    QLabel *m_confirmLabel;
    QLineEdit *m_confirm;
    QLabel *m_message;
};

// The password step's form for a recorder that has a password: the current
// one, an optional new one, and the help links.
class ConfirmPasswordForm : public QWidget
{
    Q_OBJECT
public:
    ConfirmPasswordForm(Setup_ConfirmPasswordView &form, QWidget *parent = nullptr);

private:
    void refresh();

    Setup_ConfirmPasswordView &m_form;
    QLabel *m_text;
    QLabel *m_passwordLabel;
    QLineEdit *m_password;
    QLabel *m_message;
    QCheckBox *m_change;
    QLabel *m_newLabel;
    QLineEdit *m_newPassword;
    QLabel *m_confirmLabel;
    QLineEdit *m_confirm;
    QLabel *m_newMessage;
    QPushButton *m_searchCamera;
    QPushButton *m_forgot;
    QPushButton *m_resetNote;
};
