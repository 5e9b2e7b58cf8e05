#pragma once

#include "core/ModalHost.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <optional>

class QObject;

// A modal host without windows: each dialog kind has a script that plays the
// user's part once the dialog is open (modal or floating); a kind without a
// script is closed by its window control. Alerts close at once. Everything
// shown is recorded.
class ScriptedModalHost : public ModalHost
{
public:
    using Script = std::function<void(DialogController &)>;

    void setScript(const QString &dialogKind, Script script);

    void runModal(DialogController &dialog) override;
    void showFloating(DialogController &dialog) override;
    void runAlert(const QString &message, const QString &button) override;

    // "dialog:<kind>", "floating:<kind>" and "alert:<message>" in the order
    // they were shown.
    const QStringList &shown() const { return m_shown; }
    // The message of the first alert shown from position `from` of shown() on.
    std::optional<QString> alertSince(qsizetype from) const;
    int depth() const { return m_depth; }

private:
    // Plays the kind's script on the next pass, as a user acts once the window is up.
    void actLater(DialogController &dialog, QObject *context);

    QHash<QString, Script> m_scripts;
    QStringList m_shown;
    int m_depth = 0;
};
