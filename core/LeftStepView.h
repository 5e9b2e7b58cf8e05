#pragma once

#include <QObject>
#include <QString>

// The three-phase indicator (install, setup, complete) beside the pages.
class LeftStepView : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // 0 to 2; other values are ignored.
    void setStepIndex(int index);
    int step() const { return m_step; }

    QString stepImage() const; // "left_step_<n>.png" of the current phase
    static QString stepTextKey(int phase); // "StepInstall", "StepSetup", "StepComplete"

signals:
    void changed();

private:
    int m_step = 0;
};
