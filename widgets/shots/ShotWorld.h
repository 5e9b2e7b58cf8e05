#pragma once

#include "app/AppDelegate.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "widgets/WidgetFactory.h"
#include "widgets/shots/ShotModalHost.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class DialogController;
class MainWindow;
class QPainter;

// The real window over the real controllers, as a screen is set up for a
// picture: the shell started in one language, pages reached through the
// controllers' own operations, dialogs opened over the dimmed window.
class ShotWorld
{
public:
    // Only a world that searches the LAN broadcasts: run it inside the network lab.
    ShotWorld(const QString &language, bool searchesLan);
    ~ShotWorld();

    AppDelegate &shell() { return m_shell; }
    WizardContext &context() { return m_context; }
    MainWindow &window() { return *m_window; }
    const WidgetFactory &factory() const { return m_factory; }

    // Loads the dialog's window over the main window without running its
    // modal loop, so the picture catches it open; the world keeps it.
    template<typename Dialog, typename... Args> Dialog &openDialog(Args &&...args)
    {
        auto dialog = std::make_unique<Dialog>(m_context, std::forward<Args>(args)...);
        Dialog &opened = *dialog;
        show(std::move(dialog));
        return opened;
    }

    // openDialog(), with the controller prepared before its window loads.
    template<typename Dialog, typename Prepare> Dialog &openDialogWith(Prepare prepare)
    {
        auto dialog = std::make_unique<Dialog>(m_context);
        Dialog &opened = *dialog;
        prepare(opened);
        show(std::move(dialog));
        return opened;
    }

    // A controller the screen builds itself, kept while the world lives.
    template<typename Controller, typename... Args> Controller &keep(Args &&...args)
    {
        auto controller = std::make_unique<Controller>(m_context, std::forward<Args>(args)...);
        Controller &kept = *controller;
        m_kept.push_back(std::move(controller));
        return kept;
    }

    // Pictures one page's widget on its own, at the size of the window's page
    // area: for steps that cannot be entered without talking to a recorder.
    void showAlone(QWidget *page);

    // Runs the event loop until done() holds or the time is up, for screens
    // that wait for a recorder's answer.
    static void waitUntil(const std::function<bool()> &done, int timeoutMs);

    // Closes the open alert, as its button would.
    void closeAlert();

    // The window as shown, with the open dialog, if any, centred over it.
    QImage render();
    // What keeps keyboard and screen-reader users from the controls shown,
    // in the window and the open dialog (AccessAudit.h).
    QStringList accessProblems();

private:
    void show(std::unique_ptr<DialogController> dialog);
    // The dialog or alert open over the window, if any.
    QDialog *openDialog() const;
    // A window drawn into the picture at origin (the window's coordinates),
    // framed, with a title bar when it has one on a desktop.
    static void drawWindow(QPainter &painter, QWidget &window, const QPoint &origin, bool titleBar);

    WidgetFactory m_factory;
    NotificationCenter m_notifications;
    ShotModalHost m_modal {m_factory};
    RecordingUrlOpener m_urls;
    WizardContext m_context;
    AppDelegate m_shell;
    MainWindow *m_window;
    std::vector<std::unique_ptr<DialogController>> m_dialogs;
    QPointer<QDialog> m_dialogWindow;
    bool m_dialogPlaced = false;
    std::vector<std::unique_ptr<QObject>> m_kept;
    std::unique_ptr<QWidget> m_alone;
};
