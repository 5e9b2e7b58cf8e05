#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Checks a page's "actions" list: an array of the allowed words. One mistake
// per line, as HeadlessDriver::validate returns them.
QString validateActions(const QJsonObject &pageAnswers, const QStringList &allowed);
