#include "app/ScriptedModalHost.h"

#include "app/DialogController.h"
#include "platform/Log.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

void ScriptedModalHost::setScript(const QString &dialogKind, Script script)
{
    m_scripts.insert(dialogKind, std::move(script));
}

void ScriptedModalHost::runModal(DialogController &dialog)
{
    m_shown.append(QStringLiteral("dialog:") + dialog.dialogKind());
    ++m_depth;
    dialog.windowDidLoad();

    QEventLoop loop;
    QObject::connect(&dialog, &DialogController::modalStopped, &loop, &QEventLoop::quit);
    const Script script = m_scripts.value(dialog.dialogKind());
    QPointer<DialogController> guard(&dialog);
    // The user acts once the modal loop runs, as with a real window.
    QTimer::singleShot(0, &loop, [guard, script] {
        if (!guard || guard->isModalStopped())
            return;
        if (script)
            script(*guard);
        else
            guard->windowWillClose();
    });
    if (!dialog.isModalStopped())
        loop.exec();
    --m_depth;
}

void ScriptedModalHost::runAlert(const QString &message, const QString &button)
{
    Log::line(QStringLiteral("alert: %1 [%2]").arg(message, button));
    m_shown.append(QStringLiteral("alert:") + message);
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
