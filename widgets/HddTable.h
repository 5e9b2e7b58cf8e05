#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class Setup_HddInformationView;

// The disk table of the hard-disk step: the two bay pictures, the note, one
// row per bay with its check button, and the warning about erasing.
class HddTable : public QWidget
{
    Q_OBJECT
public:
    HddTable(Setup_HddInformationView &table, QWidget *parent = nullptr);

private:
    void refresh();
    void refreshRows();
    void refreshStatus(int row);

    Setup_HddInformationView &m_view;
    QLabel *m_bays[2];
    QLabel *m_note;
    QTableWidget *m_table;
    QLabel *m_important;
};
