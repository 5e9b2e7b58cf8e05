#pragma once

#include "steps/StepForm.h"

#include <QStringList>

// The time zone picker: a zone button that opens a drop-down list, a search
// field over the wizard's own list and a box "take the computer's zone".
class Setup_TimeZoneContentView : public StepForm
{
    Q_OBJECT
public:
    explicit Setup_TimeZoneContentView(WizardContext &context, QObject *parent = nullptr);

    // Texts and aTimeZone from the active language.
    void setTexts();
    // Each time the picker is placed in the step's box.
    void refresh();

    void setTimezone(const QString &zone) { timezone = zone; }
    // The zone proposed for the computer's own; empty when none matched.
    void setComputerZone(const QString &zone) { computerZone = zone; }
    void setTimeZoneListFromNVR(const QStringList &zones) { timeZoneListFromNVR = zones; }
    const QStringList &timeZoneList() const { return aTimeZone; }
    const QStringList &listFromNvr() const { return timeZoneListFromNVR; }
    QString proposedZone() const { return timezone; }

    // The user's actions.
    void btTimeZoneClicked(bool on);
    void tableViewClicked(int row);
    void autosetTimeZone(bool on);
    void controlTextDidChange(const QString &text);
    void mouseDown();

    // Opens the drop-down unless it is open already.
    void openDropDown();

    QString btTimeZoneTitle() const { return m_buttonTitle; }
    bool btTimeZoneOn() const { return m_buttonOn; }
    bool dropDownVisible() const { return m_dropDownVisible; }
    const QStringList &timeZoneListDisplayedRows() const { return timeZoneListDisplayed; }
    QString edTimeZone() const { return m_searchText; }
    bool autoTimeZone() const { return m_autoTimeZone; }
    bool lbErrorVisible() const { return m_errorVisible; }
    QString lbText1() const { return text(QStringLiteral("SetupTimeZone_text1")); }
    QString lbText2() const { return text(QStringLiteral("SetupTimeZone_text2")); }
    QString lbAutoTimeZoneDescription() const { return text(QStringLiteral("SetupTimeZone_auto")); }

signals:
    // The first row of the drop-down should be scrolled into view.
    void scrollToFirstRow();

private:
    void closeDropDown();
    // The box says "this computer's zone": true only while that zone is shown.
    bool showsComputerZone() const { return !computerZone.isEmpty() && m_buttonTitle == computerZone; }

    QString timezone;
    QString computerZone;
    QStringList aTimeZone;
    QStringList timeZoneListFromNVR;
    QStringList timeZoneListDisplayed;
    QString m_buttonTitle;
    QString m_searchText;
    bool m_buttonOn = false;
    bool m_dropDownVisible = false;
    bool m_autoTimeZone = false;
    bool m_errorVisible = false;
};
