#pragma once

#include "core/WizardContext.h"

#include <QObject>
#include <QString>

// A part of a step's content box (a form, a picker, a table) without widgets.
// Its widget reads the state and forwards the user's actions; changed() tells
// it to read again.
class StepForm : public QObject
{
    Q_OBJECT
public:
    explicit StepForm(WizardContext &context, QObject *parent = nullptr);

    void setInputsEnabled(bool enabled);
    bool inputsEnabled() const { return m_enabled; }

    WizardContext &context() const { return m_context; }

signals:
    void changed();

protected:
    QString text(const QString &key) const;

private:
    WizardContext &m_context;
    bool m_enabled = true;
};
