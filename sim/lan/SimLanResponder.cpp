#include "sim/lan/SimLanResponder.h"

#include "protocol/LanProtocol.h"
#include "protocol/LandapRequest.h"
#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"
#include "sim/lan/SimCameraCommands.h"
#include "sim/lan/SimReplies.h"
#include "util/UtilMethod.h"

#include <QTimer>

namespace {

// Result codes of configuration replies.
constexpr uint16_t kAccepted = 0;
constexpr uint16_t kRefused = 2;

const CmdHead &headOf(const QByteArray &datagram)
{
    return *reinterpret_cast<const CmdHead *>(datagram.constData());
}

} // namespace

SimLanResponder::SimLanResponder(SimState &state, SimLog &log, double timeScale)
    : m_state(state)
    , m_log(log)
    , m_timeScale(timeScale)
    , m_endpoint([this](const SimUdpEndpoint::Datagram &d) { onDatagram(d); })
{
}

bool SimLanResponder::open(quint16 port, QString *error)
{
    return m_endpoint.open(port, error);
}

void SimLanResponder::onDatagram(const SimUdpEndpoint::Datagram &datagram)
{
    uint16_t opcode = 0;
    QString fields = QStringLiteral("from=%1:%2 to=%3 len=%4")
                         .arg(datagram.fromHost)
                         .arg(datagram.fromPort)
                         .arg(datagram.toAddress)
                         .arg(datagram.data.size());
    if (datagram.data.size() < kCmdHeadSize || !datagramOpcode(datagram.data, &opcode)) {
        m_log.line(QStringLiteral("rx"), fields + QStringLiteral(" op=none"));
        return;
    }
    const CmdHead &head = headOf(datagram.data);
    m_log.line(QStringLiteral("rx"),
        fields
            + QStringLiteral(" op=%1 mac=%2 ip=%3")
                  .arg(opcode)
                  .arg(UtilMethod::macToString(head.targetMac), UtilMethod::ipToString(head.targetIp)));
    if (opcode == OP_SEARCH)
        answerSearch(datagram);
    else if (opcode == OP_USER_VERIFY || opcode == OP_USER_CHANGE)
        answerCommand(datagram, opcode);
}

void SimLanResponder::answerSearch(const SimUdpEndpoint::Datagram &request)
{
    for (const SimRecorder &recorder : m_state.recorders()) {
        if (!recorder.restarting()
            && !ignores(recorder, recorder.misbehave.ignoreSearches, QStringLiteral("search"), request.fromPort)) {
            answer(recorder.ip, recorder.mac, recorder.misbehave.delayMs, SimReplies::discovery(recorder), request);
            flood(recorder, request);
        }
    }
}

bool SimLanResponder::ignores(const SimRecorder &recorder, int limit, const QString &kind, quint16 requesterPort)
{
    if (limit <= 0)
        return false;
    QSet<quint16> &ports = m_ignoredPorts[kind + recorder.mac];
    if (ports.contains(requesterPort))
        return true;
    if (ports.size() >= limit)
        return false;
    ports.insert(requesterPort);
    m_log.line(QStringLiteral("ignored"),
        QStringLiteral("recorder=%1 kind=%2 n=%3").arg(recorder.mac, kind).arg(ports.size()));
    return true;
}

void SimLanResponder::answerCommand(const SimUdpEndpoint::Datagram &request, uint16_t opcode)
{
    const int needed = opcode == OP_USER_VERIFY ? kUserVerifyRequestSize : kUserChangeRequestSize;
    if (request.data.size() < needed)
        return;
    const CmdHead &head = headOf(request.data);
    const QString mac = UtilMethod::macToString(head.targetMac);
    const QString ip = UtilMethod::ipToString(head.targetIp);
    SimRecorder *recorder = m_state.find(mac, ip);
    if (!recorder) {
        answerCamera(request, opcode, mac, ip);
        return;
    }
    if (recorder->misbehave.silent || recorder->misbehave.silentCommands || recorder->restarting()
        || ignores(*recorder, recorder->misbehave.ignoreCommands, QStringLiteral("command"), request.fromPort))
        return;
    const uint16_t status
        = opcode == OP_USER_VERIFY ? verify(*recorder, request.data) : change(*recorder, request.data);
    answer(recorder->ip, recorder->mac, recorder->misbehave.delayMs,
        {vexorReplyBytes(SimReplies::vexorReply(*recorder, opcode, status))}, request);
    flood(*recorder, request);
}

void SimLanResponder::answerCamera(
    const SimUdpEndpoint::Datagram &request, uint16_t opcode, const QString &mac, const QString &ip)
{
    const QList<SimCamera *> entries = m_state.camerasAt(ip);
    // Only ZEBOR cameras speak the LAN protocol, each at its own MAC and IP.
    if (entries.isEmpty() || !entries.first()->isZebor() || entries.first()->mac.compare(mac, Qt::CaseInsensitive) != 0)
        return;
    const SimCamera &camera = *entries.first();
    const QString fields = QStringLiteral("ip=%1 lan=%2")
                               .arg(ip, opcode == OP_USER_VERIFY ? QLatin1String("verify") : QLatin1String("change"));
    if (camera.silent) {
        m_log.line(QStringLiteral("cam"), fields + QStringLiteral(" ret=none"));
        return;
    }
    QString user;
    if (opcode == OP_USER_CHANGE)
        m_log.line(QStringLiteral("changed"), QStringLiteral("camera=%1 lan=change").arg(ip));
    const uint16_t status = SimCameraCommands::result(entries, opcode, request.data, &user);
    if (opcode == OP_USER_CHANGE && status == kAccepted && !m_state.commit())
        m_log.line(QStringLiteral("error"), QStringLiteral("state file not written"));
    m_log.line(QStringLiteral("cam"), fields + QStringLiteral(" user=%1 ret=%2").arg(user).arg(status));
    answer(camera.ip, camera.mac, camera.delayMs, {vexorReplyBytes(SimReplies::cameraReply(camera, opcode, status))},
        request);
}

uint16_t SimLanResponder::verify(SimRecorder &recorder, const QByteArray &request)
{
    QString user, password;
    const bool readable = LandapRequest::slotText(request, kUserSlotOffset, &user)
        && LandapRequest::slotText(request, kPasswordSlotOffset, &password);
    const bool ok = readable && recorder.accepts(user, password);
    m_log.line(QStringLiteral("verify"),
        QStringLiteral("recorder=%1 user=%2 result=%3").arg(recorder.mac, user).arg(ok ? kAccepted : kRefused));
    return ok ? kAccepted : kRefused;
}

uint16_t SimLanResponder::change(SimRecorder &recorder, const QByteArray &request)
{
    QString user, oldPassword, newUser, newPassword;
    const bool readable = LandapRequest::slotText(request, kUserSlotOffset, &user)
        && LandapRequest::slotText(request, kPasswordSlotOffset, &oldPassword)
        && LandapRequest::slotText(request, kNewUserSlotOffset, &newUser)
        && LandapRequest::slotText(request, kNewPasswordSlotOffset, &newPassword);
    // An empty new user name would lock the recorder for good.
    const bool ok = readable && recorder.accepts(user, oldPassword) && !newUser.isEmpty();
    if (ok) {
        recorder.user = newUser;
        recorder.password = newPassword;
        recorder.factory = false;
        if (!m_state.commit())
            m_log.line(QStringLiteral("error"), QStringLiteral("state file not written"));
    }
    m_log.line(QStringLiteral("changed"), QStringLiteral("recorder=%1 lan=change").arg(recorder.mac));
    m_log.line(QStringLiteral("change"),
        QStringLiteral("recorder=%1 user=%2 newUser=%3 result=%4")
            .arg(recorder.mac, user, newUser)
            .arg(ok ? kAccepted : kRefused));
    return ok ? kAccepted : kRefused;
}

void SimLanResponder::answer(const QString &ip, const QString &mac, int delayMs, const QList<QByteArray> &datagrams,
    const SimUdpEndpoint::Datagram &to)
{
    const int delay = int(delayMs * m_timeScale);
    if (delay <= 0) {
        for (const QByteArray &d : datagrams)
            sendNow(ip, mac, d, to.fromHost, to.fromPort);
        return;
    }
    QTimer::singleShot(delay, this, [this, ip, mac, datagrams, to] {
        for (const QByteArray &d : datagrams)
            sendNow(ip, mac, d, to.fromHost, to.fromPort);
    });
}

void SimLanResponder::sendNow(
    const QString &recorderIp, const QString &mac, const QByteArray &datagram, const QString &toHost, quint16 toPort)
{
    QString error;
    uint16_t opcode = 0;
    const QString status
        = datagramOpcode(datagram, &opcode) ? QString::number(datagramStatus(datagram)) : QStringLiteral("none");
    const QString fields = QStringLiteral("to=%1:%2 from=%3 recorder=%4 len=%5 op=%6 status=%7")
                               .arg(toHost)
                               .arg(toPort)
                               .arg(recorderIp, mac)
                               .arg(datagram.size())
                               .arg(opcode)
                               .arg(status);
    if (m_endpoint.send(datagram, toHost, toPort, recorderIp, &error))
        m_log.line(QStringLiteral("tx"), fields);
    else
        m_log.line(QStringLiteral("error"), fields + QStringLiteral(" error=\"%1\"").arg(error));
}

void SimLanResponder::flood(const SimRecorder &recorder, const SimUdpEndpoint::Datagram &to)
{
    if (recorder.misbehave.flood <= 0 || recorder.misbehave.silent)
        return;
    QString error;
    int sent = 0;
    for (int n = 0; n < recorder.misbehave.flood; ++n)
        sent += m_endpoint.send(SimReplies::flood(recorder, n), to.fromHost, to.fromPort, recorder.ip, &error) ? 1 : 0;
    m_log.line(QStringLiteral("flood"),
        QStringLiteral("to=%1:%2 recorder=%3 n=%4 sent=%5")
            .arg(to.fromHost)
            .arg(to.fromPort)
            .arg(recorder.mac)
            .arg(recorder.misbehave.flood)
            .arg(sent));
}
