#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Setup_TimeZoneContentView;

// The time zone picker: the zone button, the search field, the drop-down list
// under it and the box that takes the computer's zone.
class TimeZonePicker : public QWidget
{
    Q_OBJECT
public:
    TimeZonePicker(Setup_TimeZoneContentView &picker, QWidget *parent = nullptr);

protected:
    // A click beside the controls closes the drop-down.
    void mousePressEvent(QMouseEvent *event) override;
    // The drop-down by keys: Down from the search field into the list, Return
    // or Space picks the row, Escape closes it as a click beside it does.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool dropDownKey(QObject *watched, int key);
    void pickRow(int row);
    void refresh();
    void refreshRows();

    Setup_TimeZoneContentView &m_picker;
    QLabel *m_text1;
    QPushButton *m_zone;
    QCheckBox *m_auto;
    QLabel *m_text2;
    QLineEdit *m_search;
    QListWidget *m_list;
    QLabel *m_error;
};
