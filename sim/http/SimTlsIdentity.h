#pragma once

#include <QSslConfiguration>
#include <QString>

// A fresh self-signed certificate and key for one simulator run, made with
// the openssl tool in a temporary folder that is removed again at once.
bool makeSelfSignedTls(const QString &commonName, QSslConfiguration *config, QString *error);
