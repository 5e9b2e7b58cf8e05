#include "sim/http/SimTlsIdentity.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QTemporaryDir>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

bool makeSelfSignedTls(const QString &commonName, QSslConfiguration *config, QString *error)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        *error = QStringLiteral("no temporary folder for the certificate");
        return false;
    }
    const QString key = dir.filePath(QStringLiteral("key.pem"));
    const QString cert = dir.filePath(QStringLiteral("cert.pem"));
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
        {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
            QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
            QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("30"),
            QStringLiteral("-subj"), QStringLiteral("/CN=%1").arg(commonName)});
    if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl could not make a certificate: %1")
                     .arg(QString::fromLocal8Bit(openssl.readAll()).trimmed() + openssl.errorString());
        return false;
    }
    const QSslCertificate certificate(readAll(cert), QSsl::Pem);
    const QSslKey privateKey(readAll(key), QSsl::Ec, QSsl::Pem);
    if (certificate.isNull() || privateKey.isNull()) {
        *error = QStringLiteral("openssl made a certificate that cannot be read");
        return false;
    }
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(privateKey);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    *config = tls;
    return true;
}
