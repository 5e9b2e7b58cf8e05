#pragma once

#include <QJsonArray>
#include <QString>

// A scenario's recorder entry with "copies": N stands for N recorders, each
// the next in line: MAC and address counted up by one, its cameras' addresses
// and MACs by the entry's number of cameras, its cloud number by one. Returns
// the list with every such entry replaced by its copies; false with a message
// for an entry whose "copies" is not a number from 1 to 255.
bool expandRecorderCopies(const QJsonArray &entries, QJsonArray *expanded, QString *error);
