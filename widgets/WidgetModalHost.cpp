#include "widgets/WidgetModalHost.h"

#include "core/DialogController.h"
#include "platform/Log.h"
#include "widgets/DialogLayout.h"
#include "widgets/KeyboardUse.h"
#include "widgets/WidgetFactory.h"

#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <memory>

void WidgetModalHost::place(QWidget &window, const DialogController &dialog, const QWidget *owner)
{
    fitToContents(window);
    if (const std::optional<QPoint> origin = dialog.placement()) {
        QPoint at = *origin;
        if (owner) {
            const QRect area = owner->frameGeometry();
            // Not shown yet, the window has no frame: take the main window's.
            const QSize outer = window.size() + (area.size() - owner->size());
            at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - outer.width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - outer.height())));
        }
        window.move(at);
        return;
    }
    if (!owner)
        return;
    const QRect area = owner->frameGeometry();
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

WidgetModalHost::WidgetModalHost(const WidgetFactory &factory)
    : m_factory(factory)
{
}

QDialog *WidgetModalHost::windowFor(DialogController &dialog)
{
    QDialog *window = m_factory.makeDialog(dialog, m_mainWindow);
    if (window)
        return window;
    // Every dialog is bound to its window in RegisterWidgets.cpp: a test stops
    // here; a user must not be left stuck behind the dimming.
    Log::line(QStringLiteral("no window for dialog %1").arg(dialog.dialogKind()));
    Q_ASSERT_X(false, "WidgetModalHost", "a dialog controller without a window");
    dimWhileOpen(dialog);
    dialog.windowDidLoad();
    dialog.windowWillClose();
    return nullptr;
}

void WidgetModalHost::runModal(DialogController &dialog)
{
    QPointer<QDialog> window = windowFor(dialog);
    if (!window)
        return;
    window->setWindowModality(Qt::ApplicationModal);
    // Escape is the dialog's own: it rejects, as the close control below.
    prepareForKeys(*window);
    dimWhileOpen(dialog);
    dialog.windowDidLoad();

    QEventLoop loop;
    QObject::connect(&dialog, &DialogController::modalStopped, &loop, &QEventLoop::quit);
    // The window's close control ends the session like the controller's own.
    QObject::connect(window, &QDialog::rejected, &dialog, [&dialog] {
        if (!dialog.isModalStopped())
            dialog.windowWillClose();
    });
    place(*window, dialog, m_mainWindow);
    window->show();
    if (!dialog.isModalStopped())
        loop.exec();
    if (window) {
        window->hide();
        delete window;
    }
}

void WidgetModalHost::showFloating(DialogController &dialog)
{
    QDialog *window = windowFor(dialog);
    if (!window)
        return;
    // Above the main window, which stays usable.
    window->setWindowFlag(Qt::Tool);
    window->setWindowModality(Qt::NonModal);
    prepareForKeys(*window);
    dimWhileOpen(dialog);
    dialog.windowDidLoad();
    // Keys go back to the window the dialog floated over.
    const QPointer<QWidget> owner = m_mainWindow;
    const auto close = [window, owner] {
        const bool hadKeys = window->isActiveWindow();
        window->hide();
        window->deleteLater();
        if (hadKeys && owner)
            owner->activateWindow();
    };
    QObject::connect(&dialog, &DialogController::modalStopped, window, close);
    QObject::connect(&dialog, &QObject::destroyed, window, close);
    if (dialog.isModalStopped()) {
        close();
        return;
    }
    place(*window, dialog, m_mainWindow);
    window->show();
    // Its first field takes the keys, as a modal dialog's would.
    window->activateWindow();
    m_floating = window;
}

void WidgetModalHost::runAlert(const QString &message, const QString &button)
{
    Log::line(QStringLiteral("alert: %1 [%2]").arg(message, button));
    const std::unique_ptr<QMessageBox> box(makeAlert(message, button));
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
}

QWidget *WidgetModalHost::alertOwner() const
{
    QWidget *owner = m_mainWindow;
    if (!owner)
        return nullptr;
    // Dialogs are the main window's children, the one opened last last.
    for (QDialog *open : owner->findChildren<QDialog *>(Qt::FindDirectChildrenOnly)) {
        if (open->isVisible())
            owner = open;
    }
    return owner;
}

namespace {

// Centred across the owner, its top below the owner's title, so the user
// still sees what the alert is about; centred over the owner where that
// would leave the screen.
void placeBelowTitle(QWidget &alert, const QWidget &owner)
{
    fitToContents(alert);
    const QRect area = owner.frameGeometry();
    int top = area.center().y() - alert.height() / 2;
    for (const char *name : {"dialogTitle", "lbTitle"}) {
        const auto *title = owner.findChild<QWidget *>(QLatin1String(name));
        if (title && title->isVisible()) {
            top = title->mapToGlobal(QPoint(0, title->height())).y() + 8;
            break;
        }
    }
    const QScreen *screen = owner.screen();
    if (screen && top + alert.height() > screen->availableGeometry().bottom())
        top = std::max(area.top(), area.center().y() - alert.height() / 2);
    alert.move(area.center().x() - alert.width() / 2, top);
}

} // namespace

QString WidgetModalHost::askSaveFileName(const QString &title, const QString &proposed, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_mainWindow, title, proposed, filter);
}

QMessageBox *WidgetModalHost::makeAlert(const QString &message, const QString &button) const
{
    // Named after the wizard, so the alert is announced as the wizard's.
    const QString title = m_mainWindow ? m_mainWindow->windowTitle() : QString();
    QWidget *owner = alertOwner();
    auto *box = new QMessageBox(QMessageBox::Warning, title, message, QMessageBox::NoButton, owner);
    box->addButton(button, QMessageBox::AcceptRole);
    if (owner)
        placeBelowTitle(*box, *owner);
    return box;
}
