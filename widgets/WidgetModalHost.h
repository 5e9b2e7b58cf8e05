#pragma once

#include "core/ModalHost.h"

#include <QDialog>
#include <QPointer>

class QMessageBox;
class QWidget;
class WidgetFactory;

// Shows dialogs as real windows over the main window: each dialog kind gets
// the widget the factory makes for it, runs application-modal in a nested
// loop, or floats above the main window without one, and closes when its
// controller stops the session.
class WidgetModalHost : public ModalHost
{
public:
    explicit WidgetModalHost(const WidgetFactory &factory);

    void setMainWindow(QWidget *window) { m_mainWindow = window; }

    void runModal(DialogController &dialog) override;
    void showFloating(DialogController &dialog) override;
    void runAlert(const QString &message, const QString &button) override;
    QString askSaveFileName(const QString &title, const QString &proposed, const QString &filter) override;

    // Where the dialog asks to be, kept over the main window (owner) where it
    // fits; or centred over the main window.
    static void place(QWidget &window, const DialogController &dialog, const QWidget *owner);

    // The floating window shown last, while it is open.
    QDialog *openFloating() const { return m_floating; }

protected:
    // The alert window, not yet shown, a window of its own over what opened
    // it (the dialog open last, else the main window), below its title.
    QMessageBox *makeAlert(const QString &message, const QString &button) const;

private:
    // The innermost window open: a dialog shown over the main window, else the main window.
    QWidget *alertOwner() const;
    // The dialog's window; none (the dialog closed) for an unbound dialog.
    QDialog *windowFor(DialogController &dialog);

    const WidgetFactory &m_factory;
    QPointer<QWidget> m_mainWindow;
    QPointer<QDialog> m_floating;
};
