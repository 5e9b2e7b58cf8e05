#include "core/ScriptedModalHost.h"

#include "core/DialogController.h"
#include "platform/Log.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

void ScriptedModalHost::runModal(DialogController &dialog)
{
    m_shown.append(QStringLiteral("dialog:") + dialog.dialogKind());
    ++m_depth;
    dimWhileOpen(dialog);
    dialog.windowDidLoad();

    QEventLoop loop;
    QObject::connect(&dialog, &DialogController::modalStopped, &loop, &QEventLoop::quit);
    // The user acts once the modal loop runs, as with a real window.
    actLater(dialog, &loop);
    if (!dialog.isModalStopped())
        loop.exec();
    --m_depth;
}

void ScriptedModalHost::showFloating(DialogController &dialog)
{
    m_shown.append(QStringLiteral("floating:") + dialog.dialogKind());
    dimWhileOpen(dialog);
    dialog.windowDidLoad();
    actLater(dialog, &dialog);
}

void ScriptedModalHost::actLater(DialogController &dialog, QObject *context)
{
    const auto found = m_scripts.find(typeid(dialog));
    const Script script = found == m_scripts.end() ? Script() : found->second;
    QPointer<DialogController> guard(&dialog);
    QTimer::singleShot(0, context, [guard, script] {
        if (!guard || guard->isModalStopped())
            return;
        if (script)
            script(*guard);
        else
            guard->windowWillClose();
    });
}

void ScriptedModalHost::runAlert(const QString &message, const QString &button)
{
    Log::line(QStringLiteral("alert: %1 [%2]").arg(message, button));
    m_shown.append(QStringLiteral("alert:") + message);
}

QString ScriptedModalHost::askSaveFileName(const QString &title, const QString &, const QString &)
{
    m_shown.append(QStringLiteral("save:") + title);
    return QString();
}

std::optional<QString> ScriptedModalHost::alertSince(qsizetype from) const
{
    const QLatin1String alert("alert:");
    for (const QString &entry : m_shown.mid(from)) {
        if (entry.startsWith(alert))
            return entry.mid(alert.size());
    }
    return std::nullopt;
}
