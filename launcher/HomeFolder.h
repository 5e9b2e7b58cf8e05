#pragma once

#include <QString>

// The user's home folder: HOME when set, else the user database's entry.
namespace HomeFolder {

QString find();

} // namespace HomeFolder
