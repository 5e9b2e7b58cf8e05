#pragma once

#include "core/WizardContext.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

// A dialog without widgets. The opener creates one each time and hands it to
// ModalHost::runModal() (reading the outcome after it returns) or, for a
// floating window, to ModalHost::showFloating().
class DialogController : public QObject
{
    Q_OBJECT
public:
    explicit DialogController(WizardContext &context, QObject *parent = nullptr);

    // The window resource name ("DiagAbout", "DiagReset", ...).
    virtual QString dialogKind() const = 0;
    // Where the window's top left corner goes on the screen; none: centred
    // over the main window.
    virtual std::optional<QPoint> placement() const { return std::nullopt; }

    // The window has loaded: most dialogs ask the shell to dim the main window.
    virtual void windowDidLoad();
    // The window's own close control: dismiss().
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
    // Undims the main window and ends the modal run: the one way a dialog
    // closes itself.
    void dismiss();

private:
    WizardContext &m_context;
    bool m_stopped = false;
};
