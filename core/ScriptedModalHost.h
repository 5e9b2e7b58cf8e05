#pragma once

#include "core/DialogController.h"
#include "core/ModalHost.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <type_traits>
#include <typeindex>
#include <unordered_map>

class QObject;

// A modal host without windows: each dialog class has a script that plays the
// user's part once the dialog is open (modal or floating); a dialog without a
// script is closed by its window control. Alerts close at once. Everything
// shown is recorded.
class ScriptedModalHost : public ModalHost
{
public:
    // Plays the user's part whenever a Dialog opens, in place of the last one given.
    template<typename Dialog> void setScript(std::function<void(Dialog &)> script)
    {
        static_assert(std::is_base_of_v<DialogController, Dialog>);
        m_scripts[typeid(Dialog)]
            = [script = std::move(script)](DialogController &dialog) { script(static_cast<Dialog &>(dialog)); };
    }

    void runModal(DialogController &dialog) override;
    void showFloating(DialogController &dialog) override;
    void runAlert(const QString &message, const QString &button) override;
    // The user cancels.
    QString askSaveFileName(const QString &title, const QString &proposed, const QString &filter) override;

    // "dialog:<kind>", "floating:<kind>", "alert:<message>" and
    // "save:<title>" in the order they were shown.
    const QStringList &shown() const { return m_shown; }
    // The message of the first alert shown from position `from` of shown() on.
    std::optional<QString> alertSince(qsizetype from) const;
    int depth() const { return m_depth; }

private:
    // Plays the kind's script on the next pass, as a user acts once the window is up.
    void actLater(DialogController &dialog, QObject *context);

    using Script = std::function<void(DialogController &)>;
    std::unordered_map<std::type_index, Script> m_scripts;
    QStringList m_shown;
    int m_depth = 0;
};
