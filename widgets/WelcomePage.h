#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class WelcomeView;

// The greeting, the language choice and Start.
class WelcomePage : public QWidget
{
    Q_OBJECT
public:
    WelcomePage(WelcomeView &view, QWidget *parent = nullptr);

private:
    void refresh();

    WelcomeView &m_view;
    QLabel *m_welcome;
    QLabel *m_text;
    QLabel *m_selectLanguage;
    QComboBox *m_languages;
    QLabel *m_note;
    QPushButton *m_start;
};
