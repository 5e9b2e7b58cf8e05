#include "app/headless/HeadlessMode.h"
#include "app/AppDelegate.h"
#include "app/SetupReport.h"
#include "app/SetupSummary.h"
#include "app/SetupView.h"
#include "app/SummaryView.h"
#include "app/headless/AnswersFile.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/HMLocalization.h"
#include "core/PageController.h"
#include "core/ScriptedModalHost.h"
#include "platform/NotificationCenter.h"
#include "platform/UrlOpener.h"
#include "steps/SetupStep.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

// A page shown more often than this means the answers go round in circles.
constexpr int kMaxVisits = 50;
// The exit code of a survey that found something a real run would change.
constexpr int kWouldChange = 3;

QJsonArray maskedSummaryInfo(const QStringList &info)
{
    QJsonArray items;
    for (int i = 0; i < info.size(); ++i) {
        const bool secret = SetupSummary::isSecretItem(i) && info.at(i) != SetupSummary::kNone;
        items.append(secret ? QStringLiteral("(set)") : info.at(i));
    }
    return items;
}

QJsonValue existing(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path) ? QJsonValue(path) : QJsonValue();
}

// Where the summary left its shortcut items; null for an item that is not there.
QJsonValue filesJson(const SummaryView &summary, const HeadlessSession &session)
{
    const std::optional<ShortcutPaths> paths = summary.shortcutPaths();
    if (!paths && session.fileErrors().isEmpty())
        return QJsonValue();
    QJsonArray errors = session.fileErrors();
    for (const ShortcutError &error : summary.shortcutErrors())
        errors.append(QStringLiteral("%1: %2").arg(error.path, error.reason));
    // Without the recorder's cloud state only the report can have been tried.
    const ShortcutPaths made = paths.value_or(ShortcutPaths {});
    return QJsonObject {{QStringLiteral("desktopCopy"), existing(made.desktopCopy)},
        {QStringLiteral("desktopEntry"), existing(made.desktopEntry)},
        {QStringLiteral("propertyList"), existing(made.propertyList)},
        {QStringLiteral("bookmarks"), existing(made.bookmarks)}, {QStringLiteral("errors"), errors}};
}

// The recorder's cloud device number as its cloud-portal answer gave it; null
// without that answer or without cloud access.
QJsonValue cloudNumber(const SummaryView &summary)
{
    const std::optional<ShortcutTarget> &target = summary.target();
    return target && target->nimboraAccess ? QJsonValue(target->nimboraNumber) : QJsonValue();
}

// What every result holds: how far the run came and what the recorder holds
// as far as it knows.
QJsonObject resultJson(const QString &result, const HeadlessSession &session, const HMLocalization &l10n)
{
    QJsonObject json {
        {QStringLiteral("result"), result},
        {QStringLiteral("language"), l10n.activeLanguage()},
        {QStringLiteral("pages"), session.pages()},
        {QStringLiteral("steps"), session.steps()},
        {QStringLiteral("diagnosis"), session.diagnosis()},
    };
    for (const char *fact : {"ip", "zone", "disks"})
        json.insert(QLatin1String(fact), session.fact(QLatin1String(fact)));
    if (session.survey())
        json.insert(QStringLiteral("wouldChange"), session.wouldChanges());
    else
        json.insert(QStringLiteral("changed"), session.changed());
    return json;
}

QJsonObject summaryJson(AppDelegate &shell, const HeadlessSession &session, const HMLocalization &l10n)
{
    const SummaryView &summary = shell.contentSummaryViewController();
    QJsonObject json = resultJson(QStringLiteral("summary"), session, l10n);
    json.insert(QStringLiteral("counter"), shell.lbSteps());
    json.insert(QStringLiteral("channels"), session.fact(QStringLiteral("channels")));
    json.insert(QStringLiteral("summaryInfo"), maskedSummaryInfo(shell.summaryInfo()));
    json.insert(QStringLiteral("files"), filesJson(summary, session));
    json.insert(QStringLiteral("cloudNumber"), cloudNumber(summary));
    json.insert(QStringLiteral("recordingStarted"), summary.recording() == SummaryView::Recording::Started);
    return json;
}

// What a run that stopped short leaves on standard output: why, how far it
// came, and what it read and changed on the way.
QJsonObject failureJson(AppDelegate &shell, const HeadlessSession &session, const HMLocalization &l10n)
{
    QJsonObject json = resultJson(QStringLiteral("failed"), session, l10n);
    json.insert(QStringLiteral("failure"), session.failure());
    if (!session.survey()) {
        json.insert(QStringLiteral("channels"), session.fact(QStringLiteral("channels")));
        json.insert(QStringLiteral("files"), filesJson(shell.contentSummaryViewController(), session));
    }
    return json;
}

QJsonObject outputJson(AppDelegate &shell, const HeadlessSession &session, const HMLocalization &l10n)
{
    if (session.exitCode() != 0)
        return failureJson(shell, session, l10n);
    return session.survey() ? resultJson(QStringLiteral("check"), session, l10n) : summaryJson(shell, session, l10n);
}

// A survey tells by its exit code whether a real run would change anything.
int exitCodeOf(const HeadlessSession &session)
{
    return session.exitCode() == 0 && !session.wouldChanges().isEmpty() ? kWouldChange : session.exitCode();
}

// Tells why the recorder cannot be reached as soon as the shown step knows it.
QMetaObject::Connection watchDiagnosis(PageController *page, HeadlessSession &session)
{
    const auto *step = qobject_cast<const SetupStep *>(page);
    if (!step)
        return {};
    QObject::connect(
        step, &SetupStep::recorderReached, &session, &HeadlessSession::clearDiagnosis, Qt::UniqueConnection);
    return QObject::connect(step, &PageController::changed, &session, [step, &session] {
        if (step->diagnosis())
            session.diagnose(step->diagnosis().code(), step->diagnosisText());
    });
}

// Hands each page, when shown, to its driver on the next pass.
void followContainer(
    PageContainer &container, const HeadlessDrivers &drivers, HeadlessSession &session, QHash<QString, int> &visits)
{
    auto diagnosisWatch = std::make_shared<QMetaObject::Connection>();
    QObject::connect(&container, &PageContainer::currentChanged, &session, [&, diagnosisWatch](PageController *page) {
        QObject::disconnect(*diagnosisWatch);
        if (!page || session.isFinished())
            return;
        *diagnosisWatch = watchDiagnosis(page, session);
        const QString key = page->pageKey();
        session.notePage(key);
        session.progress(QStringLiteral("page %1").arg(key));
        if (++visits[key] > kMaxVisits) {
            session.fail(QStringLiteral("the answers keep returning to page %1").arg(key));
            return;
        }
        const HeadlessDriver *driver = drivers.find(*page);
        if (!driver) {
            // The setup page only holds the steps, which have drivers of their own.
            if (!qobject_cast<SetupView *>(page))
                session.fail(QStringLiteral("page %1 cannot be answered headlessly yet").arg(key));
            return;
        }
        QPointer<PageController> shown(page);
        QTimer::singleShot(0, &session, [&container, &session, driver, shown] {
            if (shown && container.current() == shown && !session.isFinished())
                driver->drive(*shown, session);
        });
    });
}

// The report is drawn with fonts, which need a QGuiApplication; without a
// report the run needs no more than the core.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[], const QJsonObject &answers)
{
    if (answers.value(SummaryView::kPageKey)[QLatin1String("report")].isUndefined())
        return std::make_unique<QCoreApplication>(argc, argv);
    // No window is ever shown: the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int runHeadlessMode(int argc, char *argv[], const QString &answersFile, bool check)
{
    QJsonObject answers;
    QString error;
    const bool read = readAnswersFile(answersFile, answers, error);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv, answers);

    HeadlessDrivers drivers;
    addAllHeadlessDrivers(drivers);
    QStringList mistakes = read ? validateAnswers(answers, drivers) : QStringList {error};
    // A report that could not be written at the end must not be found out
    // only after the recorder was set up.
    const QString report = answers.value(SummaryView::kPageKey)[QLatin1String("report")].toString();
    if (mistakes.isEmpty() && !report.isEmpty() && !check) {
        if (const QString place = SetupReport::placeError(report); !place.isEmpty())
            mistakes << QStringLiteral("section \"summary\": ") + place;
    }
    if (!mistakes.isEmpty()) {
        for (const QString &mistake : mistakes)
            std::fprintf(stderr, "nvrwizard: %s\n", mistake.toUtf8().constData());
        return 2;
    }

    NotificationCenter notifications;
    ScriptedModalHost modal;
    RecordingUrlOpener urls;
    HMLocalization &l10n = HMLocalization::sharedInstance();
    WizardContext context {notifications, l10n, modal, urls, UserFolders::fromEnvironment()};
    AppDelegate shell(context);
    HeadlessSession session(answers, modal, shell.contentSetupViewController(), check);

    QHash<QString, int> visits;
    followContainer(shell.contentBox(), drivers, session, visits);
    followContainer(shell.contentSetupViewController().setupBox(), drivers, session, visits);
    QObject::connect(&shell, &AppDelegate::terminateRequested, &session,
        [&session] { session.fail(QStringLiteral("the wizard was closed before the summary")); });
    QObject::connect(&session, &HeadlessSession::finished, app.get(), [](int) { QCoreApplication::quit(); });
    QTimer::singleShot(session.timeoutMs(), &session,
        [&session] { session.fail(QStringLiteral("the wizard did not reach the summary in time")); });

    QTimer::singleShot(0, &shell, [&shell] { shell.awakeFromNib(); });
    app->exec();

    std::fputs(QJsonDocument(outputJson(shell, session, l10n)).toJson(QJsonDocument::Indented).constData(), stdout);
    return exitCodeOf(session);
}
