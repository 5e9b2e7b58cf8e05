#include "core/HMLocalization.h"
#include "core/ScriptedModalHost.h"
#include "core/WizardContext.h"
#include "app/main/CommandLine.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "protocol/LanProtocol.h"
#include "steps/Setup_SearchNvrView.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

// Firmware text as the recorder sent it, without anything that could steer a terminal.
QString printableFirmware(const TVexorReply &reply)
{
    const char *field = reply.firmwareVersion;
    QString text = QString::fromLatin1(field, int(strnlen(field, sizeof reply.firmwareVersion)));
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7f)
            c = QLatin1Char('?');
    }
    return text;
}

} // namespace

int runSearchMode(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    NotificationCenter notifications;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    WizardContext context {notifications, HMLocalization::sharedInstance(), modal, urls, {}};

    // The search step itself, so the attempts are exactly the step's.
    Setup_SearchNvrView search(context);
    QObject::connect(&search, &PageController::changed, &app, [&search] {
        if (!search.isSearching())
            QCoreApplication::quit();
    });
    search.viewDidAppear();
    app.exec();

    if (search.hadNetworkError()) {
        std::fputs("nvrwizard: the search request could not be sent (network error)\n", stderr);
        return 4;
    }
    // The rows as the step's list shows them.
    const Setup_SelectNvrView &list = search.selectNvrView();
    const QList<TVexorReply> &rows = list.deviceList();
    for (int row = 0; row < rows.size(); ++row) {
        const TVexorReply &reply = rows.at(row);
        const QString line = QStringLiteral("%1\t%2\t%3\t%4\t%5\n")
                                 .arg(list.rowNumber(row), list.rowIp(row), list.rowMac(row))
                                 .arg(readLe16(reply.httpPort))
                                 .arg(printableFirmware(reply));
        std::fputs(line.toUtf8().constData(), stdout);
    }
    if (rows.isEmpty()) {
        std::fputs("nvrwizard: no HRX-540A recorder answered\n", stderr);
        return 3;
    }
    return 0;
}
