#include "StepsFixture.h"

#include "steps/ComputerTimeZone.h"
#include "steps/Setup_TimeZoneContentView.h"
#include "steps/TimeZoneMatch.h"

#include <QTest>

// Proposing the computer's zone, the search over the zone list, the picker.
class TimeZoneMatchTest : public QObject
{
    Q_OBJECT

private slots:
    void gmtText_data();
    void gmtText();
    void systemZoneFollowsTZ();
    void proposal_data();
    void proposal();
    void searchIgnoresCaseAndDiacritics_data();
    void searchIgnoresCaseAndDiacritics();
    void pickerTypingAndCheckBox();
};

namespace {
const QStringList kZones
    = {QStringLiteral("(GMT-03:00) S\u00e3o Paulo"), QStringLiteral("(GMT+01:00) Z\u00fcrich, Paris"),
        QStringLiteral("(GMT+08:00) Beijing, Taipei"), QStringLiteral("(GMT+08:00) Taipei"),
        QStringLiteral("(GMT+05:30) Chennai, Kolkata"), QStringLiteral("(GMT+00:00) London")};
} // namespace

void TimeZoneMatchTest::gmtText_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::newRow("east") << 8 * 3600 << "GMT+08:00";
    QTest::newRow("west with half hour") << -(3 * 3600 + 1800) << "GMT-03:30";
    QTest::newRow("zero") << 0 << "GMT+00:00";
    QTest::newRow("quarter hour") << 5 * 3600 + 45 * 60 << "GMT+05:45";
}

void TimeZoneMatchTest::gmtText()
{
    QFETCH(int, offset);
    QFETCH(QString, text);
    QCOMPARE((ComputerTimeZone {QStringLiteral("X/Y"), offset}.gmtText()), text);
}

void TimeZoneMatchTest::systemZoneFollowsTZ()
{
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", "Asia/Kolkata");
    const ComputerTimeZone zone = ComputerTimeZone::current();
    if (saved.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", saved);
    QCOMPARE(zone.identifier, QStringLiteral("Asia/Kolkata"));
    QCOMPARE(zone.offsetFromUtc, 5 * 3600 + 1800);
    QCOMPARE(zone.city(), QStringLiteral("Kolkata"));
}

void TimeZoneMatchTest::proposal_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<int>("by");
    const int location = int(TimeZoneMatch::By::Location);
    const int gmt = int(TimeZoneMatch::By::Gmt);
    QTest::newRow("city in two entries: the first") << "Asia/Taipei" << 8 * 3600 << kZones.at(2) << location;
    QTest::newRow("city is case-sensitive") << "Asia/TAIPEI" << 8 * 3600 << kZones.at(2) << gmt;
    QTest::newRow("no city, offset up to the hours") << "Asia/Shanghai" << 8 * 3600 << kZones.at(2) << gmt;
    QTest::newRow("offset hours only") << "Asia/Colombo" << 5 * 3600 + 1800 << kZones.at(4) << gmt;
    QTest::newRow("identifier without a city") << "UTC" << 0 << kZones.at(5) << gmt;
    QTest::newRow("nothing") << "Pacific/Honolulu" << -10 * 3600 << "" << int(TimeZoneMatch::By::Nothing);
}

void TimeZoneMatchTest::proposal()
{
    QFETCH(QString, identifier);
    QFETCH(int, offset);
    QFETCH(QString, zone);
    QFETCH(int, by);
    const TimeZoneMatch::Proposal p = TimeZoneMatch::propose(kZones, {identifier, offset});
    QCOMPARE(p.zone, zone);
    QCOMPARE(int(p.by), by);
}

void TimeZoneMatchTest::searchIgnoresCaseAndDiacritics_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("plain letters find accented") << "sao" << QStringList {kZones.at(0)};
    QTest::newRow("upper case") << "ZURICH" << QStringList {kZones.at(1)};
    QTest::newRow("accent typed, none in list") << "P\u00e1ris" << QStringList {kZones.at(1)};
    QTest::newRow("decomposed input") << "Su\u0308" << QStringList();
    QTest::newRow("two hits in order") << "taipei" << QStringList {kZones.at(2), kZones.at(3)};
}

void TimeZoneMatchTest::searchIgnoresCaseAndDiacritics()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    QCOMPARE(TimeZoneMatch::search(kZones, typed), found);
}

void TimeZoneMatchTest::pickerTypingAndCheckBox()
{
    StepsFixture f({{"SetupTimeZone", kZones.join(QLatin1Char(';'))}});
    Setup_TimeZoneContentView picker(*f.context);
    picker.setTexts();
    picker.setTimezone(kZones.at(3));
    picker.refresh();
    QCOMPARE(picker.btTimeZoneTitle(), kZones.at(3));
    QVERIFY(picker.autoTimeZone());
    QVERIFY(!picker.dropDownVisible());

    picker.controlTextDidChange(QStringLiteral("kolk"));
    QVERIFY(picker.dropDownVisible());
    QVERIFY(!picker.autoTimeZone());
    QCOMPARE(picker.timeZoneListDisplayedRows(), QStringList {kZones.at(4)});
    picker.tableViewClicked(0);
    QCOMPARE(picker.btTimeZoneTitle(), kZones.at(4));
    QVERIFY(!picker.dropDownVisible());
    // The row click names the choice; the proposal itself stays.
    QCOMPARE(picker.proposedZone(), kZones.at(3));
    picker.controlTextDidChange(QString());
    QCOMPARE(picker.timeZoneListDisplayedRows(), kZones);
    picker.mouseDown();
    QVERIFY(!picker.dropDownVisible() && !picker.btTimeZoneOn());

    int posted = 0;
    f.notifications.addObserver(
        Notifications::getLocalTimeZoneFromUserComputer, [&](const QObject *, const QVariantMap &) { ++posted; });
    picker.autosetTimeZone(false);
    picker.autosetTimeZone(true);
    QCOMPARE(posted, 1);
}

QTEST_GUILESS_MAIN(TimeZoneMatchTest)
#include "tst_timezonematch.moc"
