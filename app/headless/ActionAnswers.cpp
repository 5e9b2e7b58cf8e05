#include "app/headless/ActionAnswers.h"

#include "app/headless/HeadlessDriver.h"

#include <QJsonArray>

QString validateActions(const QJsonObject &pageAnswers, const QStringList &allowed)
{
    const QJsonValue actions = pageAnswers.value(QStringLiteral("actions"));
    if (actions.isUndefined())
        return {};
    if (!actions.isArray())
        return QStringLiteral("\"actions\" must be a list of %1").arg(allowed.join(QStringLiteral(", ")));
    QStringList mistakes;
    for (const QJsonValue &action : actions.toArray()) {
        if (!allowed.contains(action.toString()))
            mistakes << QStringLiteral("unknown action %1 (expected one of %2)")
                            .arg(action.isString() ? action.toString() : QStringLiteral("that is not a word"),
                                allowed.join(QStringLiteral(", ")));
    }
    return joinMistakes(mistakes);
}
