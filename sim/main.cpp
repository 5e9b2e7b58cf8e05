#include "platform/Durations.h"
#include "protocol/LanProtocol.h"
#include "sim/cam/SimCameraWeb.h"
#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"
#include "sim/core/StopOnSignal.h"
#include "sim/http/SimHttpServer.h"
#include "sim/http/SimTlsIdentity.h"
#include "sim/lan/SimLanResponder.h"
#include "sim/web/SimCloudPortal.h"
#include "sim/web/SimWebConfig.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QNetworkInterface>

#include <cstdio>
#include <memory>

namespace {

// Serves handler on every address over HTTPS with a certificate of its own.
std::unique_ptr<SimHttpServer> serveHttps(const QString &commonName, const QStringList &addresses, quint16 port,
    SimHttpServer::Handler handler, QString *error)
{
    QSslConfiguration tls;
    if (!makeSelfSignedTls(commonName, &tls, error))
        return nullptr;
    auto server = std::make_unique<SimHttpServer>(tls, std::move(handler));
    for (const QString &address : addresses) {
        if (!server->listen(QHostAddress(address), port, error))
            return nullptr;
    }
    return server;
}

// The addresses of these devices that this namespace owns. A device at
// another address still answers on the LAN; it only has no web interface,
// which an "error" line tells.
QStringList ownedAddresses(const QList<QPair<QString, QString>> &devices, const char *kind, SimLog &log)
{
    const QList<QHostAddress> owned = QNetworkInterface::allAddresses();
    QStringList ips;
    for (const auto &[mac, ip] : devices) {
        if (ips.contains(ip))
            continue;
        const QHostAddress address(ip);
        if (owned.contains(address) || address.isLoopback())
            ips << ip;
        else
            log.line(QStringLiteral("error"), QStringLiteral("%1=%2 web=none ip=%3").arg(QLatin1String(kind), mac, ip));
    }
    return ips;
}

} // namespace

// nvrsim: simulated recorders and cameras for the network lab. Never run it
// outside the lab's LAN namespace: it answers broadcasts.
int main(int argc, char *argv[])
{
    // The cameras' test cards need fonts, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated recorders for the network lab."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"), QStringLiteral("Scenario JSON file."), QStringLiteral("file"));
    const QCommandLineOption logOption(
        QStringLiteral("log"), QStringLiteral("Event log (default: stderr)."), QStringLiteral("file"));
    const QCommandLineOption stateOption(
        QStringLiteral("state"), QStringLiteral("State file, rewritten after every change."), QStringLiteral("file"));
    const QCommandLineOption webPortOption(QStringLiteral("web-port"),
        QStringLiteral("HTTPS port of the recorders' web interface (default 443)."), QStringLiteral("port"),
        QStringLiteral("443"));
    const QCommandLineOption portalPortOption(QStringLiteral("portal-port"),
        QStringLiteral("HTTPS port of the cloud portal, when the scenario has one (default 443)."),
        QStringLiteral("port"), QStringLiteral("443"));
    const QCommandLineOption cameraPortOption(QStringLiteral("camera-port"),
        QStringLiteral("HTTP port of the cameras (default 80)."), QStringLiteral("port"), QStringLiteral("80"));
    parser.addOptions({scenarioOption, logOption, stateOption, webPortOption, portalPortOption, cameraPortOption});
    parser.process(app);

    QString error;
    SimScenario scenario;
    if (!parser.isSet(scenarioOption)) {
        std::fprintf(stderr, "nvrsim: --scenario is required\n");
        return 2;
    }
    if (!SimScenario::load(parser.value(scenarioOption), &scenario, &error)) {
        std::fprintf(stderr, "nvrsim: %s\n", qPrintable(error));
        return 2;
    }
    SimLog log;
    if (!log.open(parser.value(logOption), &error)) {
        std::fprintf(stderr, "nvrsim: %s\n", qPrintable(error));
        return 2;
    }
    SimState state(scenario, parser.value(stateOption));
    if (!state.commit()) {
        std::fprintf(stderr, "nvrsim: cannot write the state file\n");
        return 2;
    }

    SimLanResponder lan(state, log, timeScaleFromEnvironment());
    if (!lan.open(LAN_PORT, &error)) {
        std::fprintf(stderr, "nvrsim: UDP port %d: %s\n", LAN_PORT, qPrintable(error));
        return 1;
    }
    QList<QPair<QString, QString>> recorders;
    for (const SimRecorder &r : state.recorders()) {
        if (!r.misbehave.webClosed)
            recorders.append({r.mac, r.ip});
    }
    const QStringList recorderIps = ownedAddresses(recorders, "recorder", log);
    SimWebConfig web(state, log, timeScaleFromEnvironment());
    const auto webServer = serveHttps(
        QStringLiteral("HRX-540A"), recorderIps, quint16(parser.value(webPortOption).toUInt()),
        [&web](const SimHttpRequest &request, const QHostAddress &local) { return web.answer(request, local); },
        &error);
    if (!webServer) {
        std::fprintf(stderr, "nvrsim: web interface: %s\n", qPrintable(error));
        return 1;
    }
    SimCloudPortal portal(state, log);
    std::unique_ptr<SimHttpServer> portalServer;
    if (state.portal().enabled) {
        portalServer = serveHttps(
            QStringLiteral("portal.nimbora.example"), {state.portal().ip},
            quint16(parser.value(portalPortOption).toUInt()),
            [&portal](
                const SimHttpRequest &request, const QHostAddress &local) { return portal.answer(request, local); },
            &error);
        if (!portalServer) {
            std::fprintf(stderr, "nvrsim: cloud portal: %s\n", qPrintable(error));
            return 1;
        }
    }
    QList<QPair<QString, QString>> cameras;
    for (const QString &ip : state.cameraIps())
        cameras.append({state.camerasAt(ip).first()->mac, ip});
    SimCameraWeb cameraWeb(state, log, timeScaleFromEnvironment());
    SimHttpServer cameraServer([&cameraWeb](const SimHttpRequest &request, const QHostAddress &local) {
        return cameraWeb.answer(request, local);
    });
    for (const QString &ip : ownedAddresses(cameras, "camera", log)) {
        if (!cameraServer.listen(QHostAddress(ip), quint16(parser.value(cameraPortOption).toUInt()), &error)) {
            std::fprintf(stderr, "nvrsim: camera: %s\n", qPrintable(error));
            return 1;
        }
    }
    stopEventLoopOnSignal();
    log.line(QStringLiteral("ready"),
        QStringLiteral("recorders=%1 cameras=%2").arg(state.recorders().size()).arg(cameras.size()));
    std::printf("nvrsim ready\n");
    std::fflush(stdout);
    const int status = app.exec();
    log.line(QStringLiteral("stopped"), QString());
    return status;
}
