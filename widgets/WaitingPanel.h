#pragma once

#include <QWidget>

class QLabel;

// A step's waiting overlay: a moving bar and the text of what is awaited.
class WaitingPanel : public QWidget
{
    Q_OBJECT
public:
    explicit WaitingPanel(QWidget *parent = nullptr);

    void setMessage(const QString &message);

private:
    QLabel *m_message;
};
