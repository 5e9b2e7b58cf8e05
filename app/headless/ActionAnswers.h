#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Checks a page's "actions" list: an array of the allowed words.
QString validateActions(const QJsonObject &pageAnswers, const QStringList &allowed);
