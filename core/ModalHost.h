#pragma once

#include <QString>

#include <functional>

class DialogController;

// How far the main window is dimmed behind what the host shows.
enum class Dimming {
    None,
    Dark, // behind a dialog
    Light, // behind a camera preview, the camera list still legible
};

// Runs dialogs and alerts over the main window, and dims the window while a
// dialog is up. The widgets build real windows; tests and the headless mode
// script the user.
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

    // A file to save to, asked with the system's save dialog: the path the
    // user chose, or none when cancelled.
    virtual QString askSaveFileName(const QString &title, const QString &proposed, const QString &filter) = 0;

    Dimming dimming() const { return m_dimming; }
    // The shell, which draws the dimming, follows it here.
    void setDimmingListener(std::function<void(Dimming)> listener) { m_dimmingListener = std::move(listener); }
    void setDimming(Dimming dimming);

protected:
    // Dims the window for the dialog now opening, and undims it when the
    // dialog ends, unless the dialog hands the window on to one that follows.
    void dimWhileOpen(DialogController &dialog);

private:
    Dimming m_dimming = Dimming::None;
    std::function<void(Dimming)> m_dimmingListener;
};
