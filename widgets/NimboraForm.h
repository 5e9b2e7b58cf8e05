#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class Setup_NimboraContentView;

// The cloud account form: the three options, the fields each one needs with
// their error markers, the terms box and link, and the error text.
class NimboraForm : public QWidget
{
    Q_OBJECT
public:
    NimboraForm(Setup_NimboraContentView &form, QWidget *parent = nullptr);

private:
    QLineEdit *addField(QGridLayout &grid, int row, QLabel *&label, const QString &name,
        void (Setup_NimboraContentView::*set)(const QString &));
    void refresh();

    Setup_NimboraContentView &m_form;
    QLabel *m_text;
    QButtonGroup *m_options;
    QLabel *m_mailLabel = nullptr;
    QLabel *m_passwordLabel = nullptr;
    QLabel *m_rePasswordLabel = nullptr;
    QLabel *m_firstNameLabel = nullptr;
    QLabel *m_lastNameLabel = nullptr;
    QLineEdit *m_mail;
    QLineEdit *m_password;
    QLineEdit *m_rePassword;
    QLineEdit *m_firstName;
    QLineEdit *m_lastName;
    QLabel *m_mailMarker;
    QLabel *m_passwordMarker;
    QCheckBox *m_check;
    QPushButton *m_showEula;
    QLabel *m_error;
};
