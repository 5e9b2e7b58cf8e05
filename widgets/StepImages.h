#pragma once

#include <QWidget>

class SetupProgressView;

// The row of eleven step marks at the top of a setup step: the marks up to
// the step's position are lit.
class StepImages : public QWidget
{
    Q_OBJECT
public:
    StepImages(const SetupProgressView &progress, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SetupProgressView &m_progress;
};
