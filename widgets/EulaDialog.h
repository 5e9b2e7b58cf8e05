#pragma once

#include <QDialog>

class DiagShowEula;
class QTextBrowser;

// The licence agreement, read-only and scrollable, each piece in its own style.
class EulaDialog : public QDialog
{
    Q_OBJECT
public:
    EulaDialog(DiagShowEula &eula, QWidget *parent = nullptr);

private:
    void refresh();

    DiagShowEula &m_eula;
    QTextBrowser *m_text;
};
