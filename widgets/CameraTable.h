#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class Setup_SelectCamView;

// The camera list: its instruction and count, one row per camera with its
// check image, number, model (its credential mark and preview button) and
// address, the marks' legend, the installation tip and the list's own rescan.
class CameraTable : public QWidget
{
    Q_OBJECT
public:
    CameraTable(Setup_SelectCamView &list, QWidget *parent = nullptr);

    // The step's no-device label, over the empty table.
    void showNoDevice(const QString &text, bool shown);

private:
    void refresh();
    void refreshRows();
    void refreshModelCell(int row);
    void previewClicked(int row);

    Setup_SelectCamView &m_list;
    QLabel *m_text;
    QLabel *m_count;
    QTableWidget *m_table;
    QLabel *m_noDevice;
    QList<QLabel *> m_legend;
    QLabel *m_note;
    QPushButton *m_tip;
    QPushButton *m_rescan;
};
