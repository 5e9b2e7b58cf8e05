#include "app/SummaryView.h"

#include "app/ReportPdf.h"
#include "core/HMLocalization.h"
#include "core/ModalHost.h"
#include "core/OpenOrTell.h"
#include "core/ShellDelegate.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "protocol/TVexorReply.h"
#include "util/UtilMethod.h"
#include "webconfig/HttpCommand.h"
#include "webconfig/HttpConfig.h"
#include "webconfig/HttpError.h"
#include "webconfig/RecordParsers.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

constexpr int kProgressPos = 10;
constexpr int kCompletePhase = 2;

} // namespace

SummaryView::SummaryView(WizardContext &context, QObject *parent, const QString &launcherBundle)
    : PageController(context, parent)
    , m_items(context.folders, launcherBundle)
{
    progress.setProgressPos(kProgressPos);
    m_leftStep.setStepIndex(kCompletePhase);
}

SummaryView::~SummaryView() = default;

void SummaryView::viewDidAppear()
{
    setLanguageText();
    postChangeReminder(kPageKey);
    const QStringList info = summaryInfo();
    for (int i = 0; i < info.size(); ++i) {
        const QString &element = info.at(i);
        Log::line(
            QStringLiteral("\n %1 \n")
                .arg(SetupSummary::isSecretItem(i) && element != SetupSummary::kNone ? Log::masked(element) : element));
    }
    emit changed();
}

void SummaryView::setLanguageText()
{
    QString finish = btFinishTitle();
    const QString body = text(QStringLiteral("Summary_Text1"));
    if (context().localization.activeLanguage() == QLatin1String("TW")) {
        // There the word stands in quotes, as the text tells the user to press it.
        const QString curly = QStringLiteral("\u201c%1\u201d").arg(finish);
        finish = body.contains(curly) ? curly : QStringLiteral("\"%1\"").arg(finish);
    }
    m_text1 = EmphasisedText::find(body, finish, QStringLiteral("FINISH"));
}

QStringList SummaryView::summaryInfo() const
{
    const QStringList info = m_summary.infoList();
    // Nothing set reads as "none" in every item.
    return info.isEmpty() ? SetupSummary {SetupSummary::kNone, {}, {}, {}}.infoList() : info;
}

QString SummaryView::edPass() const
{
    return m_summary.nvrPassword.isNull() ? SetupSummary::kNone : m_summary.nvrPassword;
}

void SummaryView::setDelegate(ShellDelegate *delegate, NvrRef device, const QString &username, const QString &password)
{
    theDelegate = delegate;
    m_selectedNvr = std::move(device);
    m_username = username;
    m_password = password;
    m_target.reset();
    m_check = false;
    m_shortcutErrors.clear();
    m_recording = Recording::NotAsked;
    m_settled = !m_selectedNvr;
    if (m_selectedNvr) {
        httpConfig = std::make_unique<HttpConfig>(static_cast<HttpConfigDelegate *>(this));
        httpConfig->startGetNimboraInfo(*m_selectedNvr, m_username, m_password);
    }
    emit changed();
}

QList<SummaryView::Row> SummaryView::networkRows() const
{
    if (!m_selectedNvr)
        return {};
    const TVexorReply &nvr = *m_selectedNvr;
    return {{text(QStringLiteral("Summary_Connection")), connectionTypeText(nvr.dhcpEnabled, context().localization)},
        {text(QStringLiteral("Summary_IP")), UtilMethod::ipToString(nvr.ipAddress)},
        {text(QStringLiteral("Summary_Mask")), UtilMethod::ipToString(nvr.subnetMask)},
        {text(QStringLiteral("Summary_Gateway")), UtilMethod::ipToString(nvr.gateway)},
        {text(QStringLiteral("Summary_DNS1")), UtilMethod::ipToString(nvr.primaryDns)},
        {text(QStringLiteral("Summary_DNS2")), UtilMethod::ipToString(nvr.secondaryDns)}};
}

void SummaryView::onHttpConfigDidFinish(HttpConfig *, int cmd)
{
    if (cmd == HttpCmd::GetNimboraInfo)
        onNimboraInfo();
    else if (cmd == HttpCmd::StartRecording)
        onRecordingInfo();
    emit changed();
}

void SummaryView::onNimboraInfo()
{
    nimboraInfo = httpConfig->getNimboraInfo();
    const bool access = nimboraInfo->access() == QLatin1String("1") && nimboraInfo->status() == QLatin1String("1");
    m_target = access ? ShortcutTarget::withAccess(nimboraInfo->portal_number().value_or(QString()),
                   context().localization.activeLanguage(), nimboraInfo->portal_url().value_or(QString()))
                      : ShortcutTarget::withoutAccess(nimboraInfo->localhyperlink().value_or(QString()));
    Log::line(isTrue(nimboraInfo->status()) ? QStringLiteral("Device already registered ")
                                            : QStringLiteral("Device not registered yet"));
    Log::line(
        isTrue(nimboraInfo->access()) ? QStringLiteral("Device has internet ") : QStringLiteral("Device no internet"));
    Log::line(m_target->nimboraNumber.isEmpty() ? QStringLiteral("未取得NVR的註冊序號")
                                                : QStringLiteral("NVR的註冊序號為%1").arg(m_target->nimboraNumber));
    Log::line(m_target->nimboraServer.isEmpty() ? QStringLiteral("未取得server的網址")
                                                : QStringLiteral("server網址為%1").arg(m_target->nimboraServer));
    showShortcutResult(m_items.replace(*m_target));
    httpConfig->performStartRecording(*m_selectedNvr, m_username, m_password);
}

void SummaryView::onRecordingInfo()
{
    myRecordingInfos = httpConfig->getRecordingInfoList();
    m_settled = true;
    const int value = RecordParsers::leadingInt(myRecordingInfos->record().value_or(QString()));
    if (value < 1) {
        m_recording = Recording::NotStarted;
        Log::line(QStringLiteral("錄影未啓動"));
    } else if (value == 1) {
        m_recording = Recording::Started;
        Log::line(QStringLiteral("錄影已啓動"));
    } else {
        m_recording = Recording::ApiError;
        Log::line(QStringLiteral("API錯誤"));
    }
}

void SummaryView::onHttpDidError(const HttpError &error)
{
    // Nothing follows an unanswered question: Finish and the recorder's page still work.
    Log::line(QStringLiteral("SummaryView::onHttpDidError ") + error.description);
    m_settled = true;
    emit changed();
}

void SummaryView::onCheck(bool ticked)
{
    if (!m_target)
        return;
    showShortcutResult(ticked ? m_items.create(*m_target) : m_items.remove(*m_target));
    emit changed();
}

void SummaryView::showShortcutResult(const ShortcutErrors &errors)
{
    m_shortcutErrors = errors;
    for (const ShortcutError &e : errors)
        Log::line(QStringLiteral("shortcut item %1: %2").arg(e.path, e.reason));
    // The box says what is there: ticked only over a desktop copy that exists.
    m_check = m_items.desktopCopyExists(*m_target);
}

std::optional<ShortcutPaths> SummaryView::shortcutPaths() const
{
    if (!m_target)
        return std::nullopt;
    return m_items.paths(*m_target);
}

QString SummaryView::lbShortcutError() const
{
    if (m_shortcutErrors.isEmpty())
        return {};
    QStringList lines {text(QStringLiteral("Summary_ShortcutFailed"))};
    for (const ShortcutError &e : m_shortcutErrors)
        lines << QStringLiteral("%1: %2").arg(e.path, e.reason);
    return lines.join(QLatin1Char('\n'));
}

void SummaryView::onGotoNvrClicked()
{
    if (!m_selectedNvr)
        return;
    openOrTell(context(),
        QUrl(QStringLiteral("http://%1:%2")
                 .arg(UtilMethod::ipToString(m_selectedNvr->ipAddress))
                 .arg(UtilMethod::bytesToInt(m_selectedNvr->httpPort))));
}

void SummaryView::onFinishClicked()
{
    if (theDelegate)
        theDelegate->finishWizard();
}

SetupReport SummaryView::report() const
{
    SetupReport report = m_summary.facts;
    if (m_selectedNvr)
        report.setRecorder(*m_selectedNvr);
    report.email = m_summary.cloudEmail;
    if (nimboraInfo) {
        report.deviceNumber = nimboraInfo->portal_number().value_or(QString());
        report.registered = isTrue(nimboraInfo->status());
    }
    report.date = QDateTime::currentDateTime();
    report.version = ModelName::kProgramVersion;
    return report;
}

QString SummaryView::defaultReportPath() const
{
    const QString documents = context().folders.documents;
    const QString folder = QFileInfo(documents).isDir() ? documents : context().folders.home;
    return QDir(folder).filePath(report().fileName());
}

bool SummaryView::writeReport(const QString &path, QString *error) const
{
    const bool written = writeReportPdf(report(), context().localization, path, error);
    Log::line(written ? QStringLiteral("report written to %1").arg(path)
                      : QStringLiteral("report not written to %1: %2").arg(path, *error));
    return written;
}

void SummaryView::onSaveReportClicked()
{
    const QString path
        = context().modal.askSaveFileName(btSaveReportTitle(), defaultReportPath(), QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty())
        onSaveReport(path);
}

void SummaryView::onSaveReport(const QString &path)
{
    QString error;
    if (!writeReport(path, &error)) {
        context().modal.runAlert(
            QStringLiteral("%1\n%2: %3").arg(text(QStringLiteral("Report_SaveFailed")), path, error),
            text(QStringLiteral("Button Close")));
        return;
    }
    m_reportSaved = QStringLiteral("%1 %2").arg(text(QStringLiteral("Report_Saved")), QDir::toNativeSeparators(path));
    emit changed();
}
