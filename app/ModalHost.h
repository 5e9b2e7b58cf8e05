#pragma once

#include <QString>

class DialogController;

// Runs dialogs and alerts in nested modal loops over the main window. The
// widgets build real windows; tests and the headless mode script the user.
class ModalHost
{
public:
    virtual ~ModalHost() = default;

    // Loads the dialog's window (windowDidLoad), runs it until stopModal(),
    // then hides it.
    virtual void runModal(DialogController &dialog) = 0;

    // An application-modal warning with one button; returns once closed.
    virtual void runAlert(const QString &message, const QString &button) = 0;
};
