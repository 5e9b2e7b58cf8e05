#pragma once

#include "widgets/StepPage.h"

class QLabel;
class QPushButton;
class QTableWidget;
class Setup_SearchNvrView;

// The search step: the found recorders as a one-choice list, the waiting
// panel while searching, the "nothing found" label and the step's buttons.
class SearchNvrPage : public StepPage
{
    Q_OBJECT
public:
    SearchNvrPage(Setup_SearchNvrView &step, QWidget *parent = nullptr);

private:
    QWidget *makeListBox();
    void refresh();
    void refreshRows();

    Setup_SearchNvrView &m_step;
    QWidget *m_listBox;
    QLabel *m_text1;
    QTableWidget *m_table;
    QLabel *m_noDevice;
    QLabel *m_diagnosis;
    QLabel *m_text2;
    QPushButton *m_listRescan;
    QPushButton *m_macHelp;
    QPushButton *m_internetHelp;
};
