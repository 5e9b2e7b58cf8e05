#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"

#include <QJsonArray>

namespace {

const QString &kHddKey = Setup_HddView::kPageKey;

bool waitingForUser(const Setup_HddView &step)
{
    return step.tableShown() && !step.messageViewController().isVisible() && step.btNextEnabled();
}

// The recorder stopped answering: only Back is left.
bool stranded(const Setup_HddView &step)
{
    return !step.messageViewController().isVisible() && step.btBackEnabled() && !step.btNextEnabled();
}

QJsonArray disksOf(Setup_HddInformationView &table, HeadlessSession &session)
{
    QJsonArray disks;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString line
            = QStringLiteral("bay %1: %2, %3, %4")
                  .arg(table.rowBay(row), table.rowProduct(row), table.rowCapacity(row), table.rowStatus(row));
        session.progress(line);
        disks.append(QJsonObject {{QStringLiteral("bay"), row + 1}, {QStringLiteral("drive"), table.bayHasDrive(row)},
            {QStringLiteral("product"), table.rowProduct(row)}, {QStringLiteral("capacity"), table.rowCapacity(row)},
            {QStringLiteral("status"), table.rowStatus(row)}});
    }
    return disks;
}

// Marks exactly the bays asked for; false with a message when one cannot be.
bool markBays(Setup_HddInformationView &table, const QList<int> &bays, QString *problem)
{
    for (const int bay : bays) {
        if (!table.bayHasDrive(bay - 1)) {
            *problem = QStringLiteral("bay %1 holds no disk the recorder detected").arg(bay);
            return false;
        }
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.rowChecked(row) == bays.contains(row + 1))
            continue;
        table.onButtonClicked(row); // also Next, which waits for the query in flight
        if (table.rowChecked(row) != bays.contains(row + 1)) {
            *problem = QStringLiteral("the mark of bay %1 cannot be changed").arg(row + 1);
            return false;
        }
    }
    return true;
}

// Done: the step stays in its format phase once it has gone on. Failed: an
// alert came up and the step is browsing again.
void waitForFormatEnd(Setup_HddView &step, HeadlessSession &session, const QJsonObject &record)
{
    const qsizetype shownBefore = session.modal().shown().size();
    session.when(
        step,
        [&step, &session, shownBefore] {
            if (session.modal().alertSince(shownBefore))
                return waitingForUser(step);
            return step.hddStep() == Setup_HddView::Formatting && !step.messageViewController().isVisible();
        },
        [&session, record, shownBefore] {
            if (const std::optional<QString> alert = session.modal().alertSince(shownBefore)) {
                session.fail(QStringLiteral("the recorder could not format the disks (%1)").arg(*alert));
                return;
            }
            session.progress(QStringLiteral("formatted"));
            session.record(kHddKey, record);
        },
        QStringLiteral("the disk format"));
}

void goOn(Setup_HddView &step, HeadlessSession &session)
{
    Setup_HddInformationView &table = step.hddInformationViewController();
    const QString action = session.nextAction(kHddKey);
    QJsonObject record {{QStringLiteral("disks"), disksOf(table, session)}};
    if (action == QLatin1String("back")) {
        step.onBackClicked();
        return;
    }
    QList<int> bays;
    for (const QJsonValue &bay : session.answersFor(kHddKey).value(QStringLiteral("format")).toArray())
        bays << bay.toInt();
    if (action == QLatin1String("skip") || bays.isEmpty()) {
        session.progress(QStringLiteral("skipped formatting"));
        record.insert(QStringLiteral("formatted"), QJsonArray());
        session.record(kHddKey, record);
        step.onSkipClicked();
        return;
    }
    session.modal().setScript<DiagHddFormat>(
        [](DialogController &dialog) { static_cast<DiagHddFormat &>(dialog).btOk(); });
    QString problem;
    if (!markBays(table, bays, &problem)) {
        session.fail(problem);
        return;
    }
    QStringList names;
    QJsonArray formatted;
    for (const int bay : bays) {
        names << QString::number(bay);
        formatted.append(bay);
    }
    session.progress(QStringLiteral("formatting bays %1").arg(names.join(QLatin1Char(' '))));
    record.insert(QStringLiteral("formatted"), formatted);
    waitForFormatEnd(step, session, record);
    step.onNextClicked();
}

// Browsing never ends by itself: the driver acts on the first result.
void driveHdd(PageController &page, HeadlessSession &session)
{
    auto &step = static_cast<Setup_HddView &>(page);
    session.when(
        page, [&step] { return waitingForUser(step) || stranded(step); },
        [&step, &session] {
            if (stranded(step))
                session.fail(QStringLiteral("the recorder did not answer the disk query"));
            else
                goOn(step, session);
        },
        QStringLiteral("the recorder's disks"));
}

QString validateHdd(const QJsonObject &answers)
{
    QStringList mistakes;
    const QJsonValue format = answers.value(QStringLiteral("format"));
    if (!format.isUndefined()) {
        const QJsonArray bays = format.toArray();
        bool valid = format.isArray();
        for (const QJsonValue &bay : bays)
            valid = valid && bay.isDouble() && (bay.toInt() == 1 || bay.toInt() == 2);
        if (!valid)
            mistakes << QStringLiteral("\"format\" must list bay numbers, 1 or 2");
    }
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("skip"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addHddDrivers(HeadlessDrivers &drivers)
{
    drivers.add(kHddKey, {driveHdd, validateHdd, {QStringLiteral("format"), QStringLiteral("actions")}});
}
