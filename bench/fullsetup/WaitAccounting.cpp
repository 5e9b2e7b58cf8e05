#include "WaitAccounting.h"

#include "protocol/LanProtocol.h"

#include <QHash>
#include <QJsonArray>
#include <QSet>

namespace {

const QString kPagePrefix = QStringLiteral("nvrwizard: page ");

// The LAN answer delay the scenario gives the device with this MAC.
int answerDelayOf(const QJsonObject &scenario, const QString &mac)
{
    for (const QJsonValue &r : scenario.value(QStringLiteral("recorders")).toArray()) {
        const QJsonObject recorder = r.toObject();
        if (recorder.value(QStringLiteral("mac")).toString().compare(mac, Qt::CaseInsensitive) == 0)
            return recorder.value(QStringLiteral("misbehave")).toObject().value(QStringLiteral("delayMs")).toInt();
        for (const QJsonValue &c : recorder.value(QStringLiteral("cameras")).toArray()) {
            const QJsonObject camera = c.toObject();
            if (camera.value(QStringLiteral("mac")).toString().compare(mac, Qt::CaseInsensitive) == 0)
                return camera.value(QStringLiteral("delayMs")).toInt();
        }
    }
    return 0;
}

struct WizardCounts
{
    int searches = 0;
    int formatConfirmations = 0;
    int cloudInfoQueries = 0;
};

WizardCounts countWizardLines(const QStringList &lines)
{
    WizardCounts counts;
    QString page;
    for (const QString &line : lines) {
        if (line.startsWith(kPagePrefix))
            page = line.mid(kPagePrefix.size());
        else if (line == QLatin1String("Setup_SearchNvrView ::performStartSearch"))
            ++counts.searches;
        else if (line.startsWith(QLatin1String("nvrwizard: formatting bays")))
            ++counts.formatConfirmations;
        // The summary page reads the same answer and logs the same lines, with no pause before it.
        else if (page == QLatin1String("nimbora")
            && (line == QLatin1String("Device not registered yet")
                || line == QLatin1String("Device already registered ")))
            ++counts.cloudInfoQueries;
    }
    return counts;
}

// One LAN exchange: the requests the wizard sent from one socket for one
// opcode (a command goes out once per interface) and the first answer.
struct Exchange
{
    int opcode = 0;
    QString answeredBy; // MAC of the first answer, empty without one
};

QList<Exchange> lanExchanges(const QList<SimLogLine> &simLog)
{
    QHash<QString, Exchange> byRequester;
    QStringList order;
    for (const SimLogLine &line : simLog) {
        if (line.kind != QLatin1String("rx") && line.kind != QLatin1String("tx"))
            continue;
        // One socket sends from one port on every interface, so the port alone names it.
        const QString op = line.value("op");
        const QString from = line.kind == QLatin1String("rx") ? line.value("from") : line.value("to");
        const QString requester = from.section(QLatin1Char(':'), -1) + QLatin1Char('/') + op;
        if (line.kind == QLatin1String("rx") && op.toInt() > 0 && !byRequester.contains(requester)) {
            byRequester.insert(requester, Exchange {op.toInt(), QString()});
            order << requester;
        } else if (line.kind == QLatin1String("tx") && byRequester.contains(requester)
            && byRequester[requester].answeredBy.isEmpty()) {
            byRequester[requester].answeredBy = line.value("recorder");
        }
    }
    QList<Exchange> exchanges;
    for (const QString &key : order)
        exchanges << byRequester.value(key);
    return exchanges;
}

int countHttp(const QList<SimLogLine> &simLog, const QString &path, bool withQuery)
{
    int n = 0;
    for (const SimLogLine &line : simLog) {
        if (line.kind == QLatin1String("http") && line.value("path") == path
            && line.value("query").isEmpty() != withQuery)
            ++n;
    }
    return n;
}

} // namespace

double WaitAccount::totalMs() const
{
    double total = 0;
    for (const WaitCount &w : waits)
        total += w.totalMs();
    return total;
}

WaitAccount countWaits(
    const QStringList &wizardLines, const QList<SimLogLine> &simLog, const QJsonObject &scenario, const Durations &d)
{
    WaitAccount account;
    const WizardCounts wizard = countWizardLines(wizardLines);
    const QList<Exchange> exchanges = lanExchanges(simLog);

    account.waits << WaitCount {QStringLiteral("discovery: the reply window after the last reply"),
        QStringLiteral("wizard `Setup_SearchNvrView ::performStartSearch`"), wizard.searches, double(d.lanReplyMs)};
    int searchesSeen = 0;
    int unanswered = 0;
    QHash<int, int> delayedAnswers; // delay -> answers held back that long
    for (const Exchange &e : exchanges) {
        if (e.opcode == OP_SEARCH)
            ++searchesSeen;
        if (e.answeredBy.isEmpty())
            unanswered += e.opcode == OP_SEARCH ? 0 : 1;
        else if (const int delay = answerDelayOf(scenario, e.answeredBy))
            ++delayedAnswers[delay];
    }
    account.waits << WaitCount {QStringLiteral("LAN command: the reply window when nothing answered"),
        QStringLiteral("simulator `rx` verify/change from one socket with no `tx` back"), unanswered,
        double(d.lanReplyMs)};
    for (auto it = delayedAnswers.cbegin(); it != delayedAnswers.cend(); ++it) {
        account.waits << WaitCount {QStringLiteral("LAN answer the scenario holds back (`delayMs`)"),
            QStringLiteral("simulator `rx` from one socket answered by a `tx` of that device"), it.value(),
            double(it.key())};
    }
    if (searchesSeen != wizard.searches) {
        account.doubts << QStringLiteral("the wizard started %1 searches, the simulator saw %2")
                              .arg(wizard.searches)
                              .arg(searchesSeen);
    }

    int cameraChecks = 0;
    double cameraDelayMs = 0;
    for (const SimLogLine &line : simLog) {
        // Image fetches run beside the step; the password checks block it.
        const QString request = line.value("req");
        if (line.kind == QLatin1String("cam") && !line.value("delayMs").isEmpty()
            && (request == QLatin1String("/userlist.cgi") || request == QLatin1String("/system.cgi"))) {
            ++cameraChecks;
            cameraDelayMs += line.value("delayMs").toDouble();
        }
    }
    if (cameraChecks > 0) {
        account.waits << WaitCount {QStringLiteral("camera password check the scenario holds back (`delayMs`)"),
            QStringLiteral("simulator `cam` check lines with `delayMs`"), cameraChecks, cameraDelayMs / cameraChecks};
    }

    account.waits << WaitCount {QStringLiteral("disk step: pause before the format confirmation"),
        QStringLiteral("headless `formatting bays`"), wizard.formatConfirmations, double(d.formatDialogMs)};
    account.waits << WaitCount {QStringLiteral("disk format: interval before each progress poll"),
        QStringLiteral("simulator `http` /config/storageformatpoll"),
        countHttp(simLog, QStringLiteral("/config/storageformatpoll"), false), double(d.formatPollMs)};
    account.waits << WaitCount {QStringLiteral("cloud step: pause before each question to the recorder"),
        QStringLiteral("wizard `Device … registered` on the cloud page, simulator `http` /config/nimborareginfo "
                       "without a query"),
        wizard.cloudInfoQueries + countHttp(simLog, QStringLiteral("/config/nimborareginfo"), false),
        double(d.cloudQueryDelayMs)};
    return account;
}
