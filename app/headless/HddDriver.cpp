#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/DiagHddFormat.h"
#include "steps/Setup_HddView.h"

#include <QJsonArray>

#include <algorithm>

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

QList<int> baysIn(const QJsonObject &answers, const char *key)
{
    QList<int> bays;
    for (const QJsonValue &bay : answers.value(QLatin1String(key)).toArray())
        bays << bay.toInt();
    return bays;
}

// The bays to format: those of "erase", and those of "format" that hold no
// recordings; the others are left, as the window leaves them unmarked.
QList<int> baysToFormat(Setup_HddInformationView &table, HeadlessSession &session)
{
    const QList<int> erase = baysIn(session.answersFor(kHddKey), "erase");
    QList<int> bays;
    for (const int bay : baysIn(session.answersFor(kHddKey), "format")) {
        if (erase.contains(bay) || bays.contains(bay))
            continue;
        if (!table.rowInUse(bay - 1))
            bays << bay;
        else if (session.survey())
            session.wouldChange(kHddKey, QStringLiteral("bay %1 holds recordings: would be left").arg(bay));
        else
            session.progress(QStringLiteral("bay %1 holds recordings: left as it is").arg(bay));
    }
    for (const int bay : erase) {
        if (!bays.contains(bay))
            bays << bay;
    }
    std::sort(bays.begin(), bays.end());
    return bays;
}

// Surveying: what a format would meet, then on without one.
void surveyBays(Setup_HddView &step, HeadlessSession &session, const QList<int> &bays)
{
    Setup_HddInformationView &table = step.hddInformationViewController();
    for (const int bay : bays) {
        session.wouldChange(kHddKey,
            table.rowInUse(bay - 1)
                ? QStringLiteral("bay %1 holds recordings: would be erased").arg(bay)
                : QStringLiteral("bay %1 would be formatted (%2)").arg(bay).arg(table.rowStatus(bay - 1)));
    }
    step.onSkipClicked();
}

void goOn(Setup_HddView &step, HeadlessSession &session)
{
    Setup_HddInformationView &table = step.hddInformationViewController();
    const QString action = session.nextAction(kHddKey);
    QJsonObject record {{QStringLiteral("disks"), disksOf(table, session)}};
    session.noteFact(QStringLiteral("disks"), record.value(QStringLiteral("disks")));
    if (action == QLatin1String("back")) {
        step.onBackClicked();
        return;
    }
    const QList<int> bays = action == QLatin1String("skip") ? QList<int>() : baysToFormat(table, session);
    for (const int bay : bays) {
        if (!table.bayHasDrive(bay - 1)) {
            session.fail(QStringLiteral("bay %1 holds no disk the recorder detected").arg(bay));
            return;
        }
    }
    if (session.survey() || bays.isEmpty()) {
        record.insert(QStringLiteral("formatted"), QJsonArray());
        session.record(kHddKey, record);
        if (session.survey()) {
            surveyBays(step, session, bays);
            return;
        }
        session.progress(QStringLiteral("skipped formatting"));
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
    session.noteChanged(kHddKey);
    waitForFormatEnd(step, session, record);
    step.onNextClicked();
}

// Browsing never ends by itself: the driver acts on the first result.
void driveHdd(Setup_HddView &step, HeadlessSession &session)
{
    session.when(
        step, [&step] { return waitingForUser(step) || stranded(step); },
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
    for (const QString &key : {QStringLiteral("format"), QStringLiteral("erase")}) {
        const QJsonValue list = answers.value(key);
        if (list.isUndefined())
            continue;
        bool valid = list.isArray();
        for (const QJsonValue &bay : list.toArray())
            valid = valid && bay.isDouble() && (bay.toInt() == 1 || bay.toInt() == 2);
        if (!valid)
            mistakes << QStringLiteral("\"%1\" must list bay numbers, 1 or 2").arg(key);
    }
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("skip"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addHddDrivers(HeadlessDrivers &drivers)
{
    drivers.add<Setup_HddView>(
        driveHdd, validateHdd, {QStringLiteral("format"), QStringLiteral("erase"), QStringLiteral("actions")});
}
