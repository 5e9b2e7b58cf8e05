#pragma once

#include "core/WizardContext.h"

#include <QObject>
#include <QString>

// A page of the main window or a step of the setup page, without widgets.
// Widgets read its state and forward clicks to it; changed() tells them to
// read again.
class PageController : public QObject
{
    Q_OBJECT
public:
    explicit PageController(WizardContext &context, QObject *parent = nullptr);

    // Names the page for the headless driver and the step counter
    // ("welcome", "install", "setup", "summary", "searchNVR", ...).
    virtual QString pageKey() const = 0;

    // Called each time the page is placed in its container, after its entry
    // operation.
    virtual void viewDidAppear() { }

    WizardContext &context() const { return m_context; }

signals:
    void changed();

protected:
    QString text(const QString &key) const;
    void postChangeReminder(const QString &steps);

private:
    WizardContext &m_context;
};
