#pragma once

#include <QWidget>

class AppDelegate;
class QPushButton;

// The row of help buttons under the pages: troubleshooting, support, the two
// documents, the reader, About and Exit.
class HelpBar : public QWidget
{
    Q_OBJECT
public:
    HelpBar(AppDelegate &shell, QWidget *parent = nullptr);

    void refresh();

private:
    AppDelegate &m_shell;
    QList<QPushButton *> m_buttons;
};
