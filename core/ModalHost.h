#pragma once

#include <QString>

class DialogController;

// Runs dialogs and alerts over the main window. The widgets build real
// windows; tests and the headless mode script the user.
class ModalHost
{
public:
    virtual ~ModalHost() = default;

    // Loads the dialog's window (windowDidLoad), runs it in a nested modal
    // loop until stopModal(), then hides it.
    virtual void runModal(DialogController &dialog) = 0;

    // Loads the dialog's window and shows it floating above the main window,
    // without a modal loop: returns at once. The window goes when the
    // controller stops its session (stopModal()); the caller keeps the
    // controller alive until then.
    virtual void showFloating(DialogController &dialog) = 0;

    // An application-modal warning with one button; returns once closed.
    virtual void runAlert(const QString &message, const QString &button) = 0;
};
