#pragma once

#include "core/ModalHost.h"
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

    // The class name ("DiagAbout", "DiagReset", ...): what the window is
    // called, and how the logs name it.
    QString dialogKind() const { return QString::fromLatin1(metaObject()->className()); }
    // Where the window's top left corner goes on the screen; none: centred
    // over the main window.
    virtual std::optional<QPoint> placement() const { return std::nullopt; }
    // How far the host dims the main window while the dialog is open.
    virtual Dimming dimming() const { return Dimming::Dark; }

    // The window has loaded.
    virtual void windowDidLoad() { }
    // The window's own close control: dismiss().
    virtual void windowWillClose();

    void stopModal();
    bool isModalStopped() const { return m_stopped; }
    // The session ended by handing the dimmed window on to a dialog that follows.
    bool handsOn() const { return m_handsOn; }

    WizardContext &context() const { return m_context; }

signals:
    void changed();
    void modalStopped();

protected:
    QString text(const QString &key) const;
    // Ends the modal run; the host undims the main window.
    void dismiss() { stopModal(); }
    // Ends the modal run, the main window kept dimmed: the opener shows
    // another dialog next.
    void handOn();

private:
    WizardContext &m_context;
    bool m_stopped = false;
    bool m_handsOn = false;
};
