#include "app/headless/ActionAnswers.h"
#include "app/headless/HeadlessDriver.h"
#include "app/headless/HeadlessSession.h"
#include "core/ScriptedModalHost.h"
#include "steps/SetupStepDelegate.h"
#include "steps/Setup_TimeZoneView.h"
#include "steps/TimeZoneMatch.h"

#include <QJsonValue>

namespace {

const QString &kTimeZoneKey = Setup_TimeZoneView::kPageKey;
const QString kComputer = QStringLiteral("computer");

QString proposedBy(TimeZoneMatch::By by)
{
    switch (by) {
    case TimeZoneMatch::By::Location:
        return QStringLiteral("city");
    case TimeZoneMatch::By::Gmt:
        return QStringLiteral("offset");
    case TimeZoneMatch::By::Nothing:
        break;
    }
    return QStringLiteral("none");
}

// The zone the answer names: the exact entry, or the only one holding the text
// (ignoring case and accents). Empty with a reason otherwise.
QString zoneNamed(const QStringList &zones, const QString &wanted, QString *why)
{
    if (zones.contains(wanted))
        return wanted;
    const QStringList found = TimeZoneMatch::search(zones, wanted);
    if (found.size() == 1)
        return found.constFirst();
    *why = found.isEmpty() ? QStringLiteral("no time zone of the recorder matches \"%1\"").arg(wanted)
                           : QStringLiteral("%1 time zones of the recorder match \"%2\"; name one of: %3")
                                 .arg(found.size())
                                 .arg(wanted, found.join(QStringLiteral(" | ")));
    return {};
}

// Picks the zone the answers ask for on the zone button; false when the run failed.
bool pickZone(Setup_TimeZoneView &step, HeadlessSession &session)
{
    Setup_TimeZoneContentView &picker = step.timeZoneViewController();
    const QString wanted = session.answersFor(kTimeZoneKey).value(QStringLiteral("zone")).toString();
    if (wanted.isEmpty())
        return true; // the recorder's current zone
    if (wanted == kComputer) {
        picker.autosetTimeZone(true);
        if (step.proposedBy() == TimeZoneMatch::By::Nothing) {
            session.fail(QStringLiteral("the computer's time zone is not in the wizard's list"));
            return false;
        }
        return true;
    }
    QString why;
    const QString zone = zoneNamed(step.indexList(), wanted, &why);
    const qsizetype row = picker.timeZoneListDisplayedRows().indexOf(zone);
    if (row < 0) {
        session.fail(why.isEmpty() ? QStringLiteral("the recorder's list does not show \"%1\"").arg(zone) : why);
        return false;
    }
    picker.tableViewClicked(int(row));
    return true;
}

void driveTimeZone(Setup_TimeZoneView &step, HeadlessSession &session)
{
    const auto idle = [&step] { return !step.messageViewController().isVisible(); };
    session.when(
        step, idle,
        [&step, &session, idle] {
            if (session.nextAction(kTimeZoneKey) == QLatin1String("back")) {
                step.onBackClicked();
                return;
            }
            if (!step.btNextEnabled()) {
                session.fail(QStringLiteral("the recorder's time zones could not be read"));
                return;
            }
            Setup_TimeZoneContentView &picker = step.timeZoneViewController();
            session.progress(QStringLiteral("recorder's time zone: %1").arg(picker.btTimeZoneTitle()));
            const QString current = step.indexList().value(step.recorderZone());
            session.noteFact(QStringLiteral("zone"), current.isEmpty() ? QJsonValue() : QJsonValue(current));
            if (!pickZone(step, session))
                return;
            const QString zone = picker.btTimeZoneTitle();
            const qsizetype index = step.indexList().lastIndexOf(zone);
            if (index < 0) {
                // Next would only open the list again.
                session.fail(QStringLiteral("the recorder has no time zone \"%1\"").arg(zone));
                return;
            }
            session.progress(QStringLiteral("chose time zone %1").arg(zone));
            session.record(kTimeZoneKey,
                QJsonObject {{QStringLiteral("zone"), zone}, {QStringLiteral("index"), int(index)},
                    {QStringLiteral("proposedBy"), proposedBy(step.proposedBy())}});
            if (index == step.recorderZone()) {
                step.onNextClicked(); // leaves without writing
                return;
            }
            if (session.survey()) {
                session.wouldChange(kTimeZoneKey,
                    QStringLiteral("zone %1 → %2")
                        .arg(current.isEmpty() ? QStringLiteral("(unknown)") : current, zone));
                session.setupPage().setupTimeZoneNext();
                return;
            }
            const qsizetype shownBefore = session.modal().shown().size();
            session.noteChanged(kTimeZoneKey);
            step.onNextClicked();
            session.when(
                step, idle,
                [&session, shownBefore, zone] {
                    if (session.modal().alertSince(shownBefore))
                        session.fail(QStringLiteral("the recorder did not take the time zone"));
                    else
                        session.noteFact(QStringLiteral("zone"), zone);
                },
                QStringLiteral("the recorder to set the time zone"));
        },
        QStringLiteral("the recorder's time zones"));
}

QString validateTimeZone(const QJsonObject &answers)
{
    QStringList mistakes;
    const QJsonValue zone = answers.value(QStringLiteral("zone"));
    if (!zone.isUndefined() && (!zone.isString() || zone.toString().trimmed().isEmpty()))
        mistakes << QStringLiteral("\"zone\" must be \"computer\" or the name of a time zone, such as \"Taipei\"");
    mistakes << validateActions(answers, {QStringLiteral("next"), QStringLiteral("back")});
    return joinMistakes(mistakes);
}

} // namespace

void addTimeZoneDrivers(HeadlessDrivers &drivers)
{
    drivers.add<Setup_TimeZoneView>(
        driveTimeZone, validateTimeZone, {QStringLiteral("zone"), QStringLiteral("actions")});
}
