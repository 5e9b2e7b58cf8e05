#pragma once

#include "app/WizardContext.h"

#include <QObject>
#include <QString>

// A modal dialog without widgets. The opener creates one each time, hands it
// to ModalHost::runModal() and reads the outcome after it returns.
class DialogController : public QObject
{
    Q_OBJECT
public:
    explicit DialogController(WizardContext &context, QObject *parent = nullptr);

    // The window resource name ("DiagAbout", "DiagReset", ...).
    virtual QString dialogKind() const = 0;

    // The window has loaded: most dialogs ask the shell to dim the main window.
    virtual void windowDidLoad();
    // The window's own close control.
    virtual void windowWillClose();

    void stopModal();
    bool isModalStopped() const { return m_stopped; }

    WizardContext &context() const { return m_context; }

signals:
    void changed();
    void modalStopped();

protected:
    QString text(const QString &key) const;
    void postGreyViewCovered(const QString &value);

private:
    WizardContext &m_context;
    bool m_stopped = false;
};
