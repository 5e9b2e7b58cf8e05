#pragma once

#include <QWidget>

class HMLocalization;
class LeftStepView;
class QLabel;

// The three phases beside the pages, the current one highlighted.
class LeftStepList : public QWidget
{
    Q_OBJECT
public:
    LeftStepList(LeftStepView &steps, HMLocalization &localization, QWidget *parent = nullptr);

    void refresh();

private:
    LeftStepView &m_steps;
    HMLocalization &m_localization;
    QList<QLabel *> m_labels;
};
