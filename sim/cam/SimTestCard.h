#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a simulated camera sees: a JPEG test card with the camera's model name,
// its address and a running clock, so that every frame differs from the last
// and a preview visibly updates. Needs a QGuiApplication for its text.
namespace SimTestCard {

QByteArray jpeg(const QString &model, const QString &ip, const QDateTime &now, quint64 frame);

} // namespace SimTestCard
