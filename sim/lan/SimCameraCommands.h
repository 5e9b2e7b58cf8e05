#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

struct SimCamera;

// A ZEBOR camera's side of the verify-user and change-user commands: it
// knows only "admin", and a change sets the password the camera accepts.
namespace SimCameraCommands {

// The result code (0 accepted, 2 refused) of the request for the camera whose
// scenario entries these are; an accepted change goes to every entry. user
// gets the user name the request carried.
uint16_t result(const QList<SimCamera *> &entries, uint16_t opcode, const QByteArray &request, QString *user);

} // namespace SimCameraCommands
