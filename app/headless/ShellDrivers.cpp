#include "app/SummaryView.h"
#include "app/WelcomeView.h"
#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/HMLocalization.h"
#include "core/Languages.h"
#include "guide/InstallView.h"

#include <QTimer>

namespace {

const QStringList kNextBack = {QStringLiteral("next"), QStringLiteral("back")};

void driveWelcome(WelcomeView &welcome, HeadlessSession &session)
{
    const QString language = session.answers().value(QStringLiteral("language")).toString();
    if (!language.isEmpty()) {
        const int index = Languages::indexOf(language);
        welcome.openLanguageMenu();
        welcome.lanTableViewClicked(index);
        session.progress(
            QStringLiteral("language %1 (%2)").arg(welcome.popupTitle(), Languages::LangFile().value(index)));
    }
    session.nextAction(WelcomeView::kPageKey, QStringLiteral("start"));
    welcome.onStartClicked();
}

// The guide's sub-pages all live on one page: each sub-page shown takes one
// action, until Next on the last one or Back on the first leaves the guide.
void driveInstall(InstallView &install, HeadlessSession &session)
{
    const int subPage = install.subPage();
    const bool back = session.nextAction(InstallView::kPageKey) == QLatin1String("back");
    if (back)
        install.onBackClicked();
    else
        install.onNextClicked();
    const bool leftTheGuide = back ? subPage == 0 : subPage == 3;
    if (leftTheGuide)
        return;
    QTimer::singleShot(0, &install, [&install, &session] {
        if (!session.isFinished())
            driveInstall(install, session);
    });
}

const QString kReport = QStringLiteral("report");

// The page asks the recorder for its cloud state, leaves the shortcut items
// and starts recording: the run ends once that is over, with the report
// written when the answers ask for one. A report that cannot be written then
// is a file not made: the recorder is set up all the same.
void driveSummary(SummaryView &summary, HeadlessSession &session)
{
    session.when(
        summary, [&summary] { return summary.isSettled(); },
        [&summary, &session] {
            for (const ShortcutError &error : summary.shortcutErrors())
                session.progress(QStringLiteral("shortcut item not made: %1: %2").arg(error.path, error.reason));
            QJsonObject record {{QStringLiteral("items"), int(summary.summaryInfo().size())}};
            const QString answer = session.answersFor(SummaryView::kPageKey).value(kReport).toString();
            if (!answer.isEmpty()) {
                const QString report = summary.report().pathFor(answer);
                QString error;
                if (summary.writeReport(report, &error)) {
                    session.progress(QStringLiteral("report written to %1").arg(report));
                    record.insert(kReport, report);
                } else {
                    session.fileError(report, error);
                }
            }
            session.record(SummaryView::kPageKey, record);
            session.succeed();
        },
        QStringLiteral("the recorder's cloud state and recording"));
}

} // namespace

void addShellDrivers(HeadlessDrivers &drivers)
{
    drivers.add<WelcomeView>(driveWelcome,
        [](const QJsonObject &answers) { return validateActions(answers, {QStringLiteral("start")}); },
        {QStringLiteral("actions")});
    drivers.add<InstallView>(driveInstall,
        [](const QJsonObject &answers) { return validateActions(answers, kNextBack); }, {QStringLiteral("actions")});
    drivers.add<SummaryView>(driveSummary,
        [](const QJsonObject &answers) {
            const QJsonValue report = answers.value(kReport);
            return report.isUndefined() || !report.toString().isEmpty()
                ? QString()
                : QStringLiteral("\"report\" must be the path of the PDF file to write");
        },
        {kReport});
}
