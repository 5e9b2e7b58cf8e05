#include "sim/lan/SimCameraCommands.h"

#include "protocol/LanProtocol.h"
#include "protocol/LandapRequest.h"
#include "sim/core/SimWebRecorder.h"

namespace SimCameraCommands {

namespace {

constexpr uint16_t kAccepted = 0;
constexpr uint16_t kRefused = 2;

} // namespace

uint16_t result(const QList<SimCamera *> &entries, uint16_t opcode, const QByteArray &request, QString *user)
{
    QString password;
    if (entries.isEmpty() || !LandapRequest::slotText(request, kUserSlotOffset, user)
        || !LandapRequest::slotText(request, kPasswordSlotOffset, &password)
        || !entries.first()->accepts(true, *user, password))
        return kRefused;
    if (opcode != OP_USER_CHANGE)
        return kAccepted;
    QString newUser, newPassword;
    // The camera has no other account to rename "admin" to.
    if (!LandapRequest::slotText(request, kNewUserSlotOffset, &newUser)
        || !LandapRequest::slotText(request, kNewPasswordSlotOffset, &newPassword) || newUser != *user)
        return kRefused;
    for (SimCamera *entry : entries)
        entry->adminPassword = newPassword;
    return kAccepted;
}

} // namespace SimCameraCommands
