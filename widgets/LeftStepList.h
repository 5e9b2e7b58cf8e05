#pragma once

#include <QWidget>

class HMLocalization;
class LeftStepView;
class QLabel;

// The three phases beside the guide and the setup page, the current one
// highlighted.
class LeftStepList : public QWidget
{
    Q_OBJECT
public:
    LeftStepList(LeftStepView &steps, HMLocalization &localization, QWidget *parent = nullptr);

    void refresh();

protected:
    // The language may have changed while the page was away.
    void showEvent(QShowEvent *event) override;

private:
    LeftStepView &m_steps;
    HMLocalization &m_localization;
    QList<QLabel *> m_labels;
};
