#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/DiagUnreachable.h"
#include "steps/Setup_SearchNvrView.h"

#include <QJsonValue>

namespace {

// "recorder" picks a row by number (from 1), IP address or MAC address.
int rowOf(const Setup_SelectNvrView &list, const QJsonValue &pick)
{
    const int rows = int(list.deviceList().size());
    if (pick.isUndefined())
        return rows > 0 ? 0 : -1;
    if (pick.isDouble()) {
        const int row = pick.toInt() - 1;
        return row >= 0 && row < rows ? row : -1;
    }
    const QString wanted = pick.toString();
    for (int row = 0; row < rows; ++row) {
        if (list.rowIp(row) == wanted || list.rowMac(row).compare(wanted, Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

void driveSearch(Setup_SearchNvrView &search, HeadlessSession &session)
{
    session.when(
        search, [&search] { return !search.isSearching(); },
        [&search, &session] {
            if (session.nextAction(Setup_SearchNvrView::kPageKey) == QLatin1String("back")) {
                search.onBackClicked();
                return;
            }
            Setup_SelectNvrView &list = search.selectNvrView();
            for (int row = 0; row < list.deviceList().size(); ++row)
                session.progress(QStringLiteral("found %1 %2").arg(list.rowIp(row), list.rowMac(row)));
            const QJsonValue pick = session.answersFor(Setup_SearchNvrView::kPageKey).value(QStringLiteral("recorder"));
            const int row = rowOf(list, pick);
            if (list.deviceList().isEmpty() && search.noDeviceDiagnosis())
                session.diagnose(search.noDeviceDiagnosis().code(), search.noDeviceDiagnosisText());
            if (row < 0) {
                session.fail(list.deviceList().isEmpty() ? QStringLiteral("no recorder was found")
                                                         : QStringLiteral("the chosen recorder was not found"));
                return;
            }
            list.selectRow(row);
            session.progress(
                QStringLiteral("chose %1 %2 %3").arg(list.rowNumber(row), list.rowIp(row), list.rowMac(row)));
            if (list.rowDiagnosis(row))
                session.diagnose(list.rowDiagnosis(row).code(), list.rowDiagnosisText(row));
            session.noteFact(QStringLiteral("ip"), list.rowIp(row));
            const QJsonObject answers = session.answersFor(Setup_SearchNvrView::kPageKey);
            if (list.rowDiagnosis(row).cannotReach()) {
                // Nothing has been sent to the recorder yet: stop before the first change.
                if (answers.value(QStringLiteral("unreachable")).toString() != QLatin1String("goOn")) {
                    session.fail(QStringLiteral("the computer cannot reach the chosen recorder; nothing was "
                                                "changed (\"unreachable\": \"goOn\" goes on anyway)"));
                    return;
                }
                session.progress(QStringLiteral("going on although the computer cannot reach the recorder"));
                session.modal().setScript<DiagUnreachable>([](DiagUnreachable &dialog) { dialog.btGoOn(); });
            }
            session.record(Setup_SearchNvrView::kPageKey,
                QJsonObject {{QStringLiteral("found"), int(list.deviceList().size())},
                    {QStringLiteral("ip"), list.rowIp(row)}, {QStringLiteral("mac"), list.rowMac(row)}});
            search.onNextClicked();
        },
        QStringLiteral("the recorder search"));
}

QString validateSearch(const QJsonObject &answers)
{
    QStringList mistakes;
    const QJsonValue pick = answers.value(QStringLiteral("recorder"));
    if (!pick.isUndefined() && !pick.isString() && !(pick.isDouble() && pick.toInt() >= 1))
        mistakes << QStringLiteral("\"recorder\" must be a row number from 1, an IP address or a MAC address");
    const QJsonValue unreachable = answers.value(QStringLiteral("unreachable"));
    if (!unreachable.isUndefined() && unreachable != QLatin1String("goOn") && unreachable != QLatin1String("stop"))
        mistakes << QStringLiteral("\"unreachable\" must be \"goOn\" or \"stop\"");
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addSearchDrivers(HeadlessDrivers &drivers)
{
    drivers.add<Setup_SearchNvrView>(driveSearch, validateSearch,
        {QStringLiteral("recorder"), QStringLiteral("unreachable"), QStringLiteral("actions")});
}
