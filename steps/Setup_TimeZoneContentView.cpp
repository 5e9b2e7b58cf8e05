#include "steps/Setup_TimeZoneContentView.h"

#include "platform/Log.h"
#include "platform/NotificationCenter.h"
#include "steps/TimeZoneMatch.h"

Setup_TimeZoneContentView::Setup_TimeZoneContentView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
{
}

void Setup_TimeZoneContentView::setTexts()
{
    aTimeZone = text(QStringLiteral("SetupTimeZone")).split(QLatin1Char(';'));
    emit changed();
}

void Setup_TimeZoneContentView::refresh()
{
    if (!timeZoneListFromNVR.isEmpty()) {
        Log::line(QStringLiteral("從nvr取得time zone list"));
        timeZoneListDisplayed = timeZoneListFromNVR;
    } else {
        Log::line(QStringLiteral("time zone list 取得失敗"));
        timeZoneListDisplayed = aTimeZone;
    }
    m_buttonTitle = !timezone.isNull() ? timezone : timeZoneListDisplayed.value(0);
    m_dropDownVisible = false;
    m_buttonOn = false;
    m_errorVisible = false;
    m_autoTimeZone = showsComputerZone();
    emit changed();
}

void Setup_TimeZoneContentView::btTimeZoneClicked(bool on)
{
    m_buttonOn = on;
    m_dropDownVisible = on;
    emit changed();
}

void Setup_TimeZoneContentView::tableViewClicked(int row)
{
    if (row >= 0 && row < timeZoneListDisplayed.size())
        m_buttonTitle = timeZoneListDisplayed.at(row);
    m_autoTimeZone = showsComputerZone();
    closeDropDown();
    Log::line(QStringLiteral("=== %1").arg(m_buttonTitle));
}

void Setup_TimeZoneContentView::autosetTimeZone(bool on)
{
    m_autoTimeZone = on;
    emit changed();
    if (!on)
        return;
    m_errorVisible = false;
    context().notifications.post(Notifications::getLocalTimeZoneFromUserComputer);
    // No zone of the list matched the computer's: the box cannot stay ticked.
    m_autoTimeZone = showsComputerZone();
    emit changed();
}

void Setup_TimeZoneContentView::controlTextDidChange(const QString &typed)
{
    m_searchText = typed;
    m_errorVisible = false;
    m_dropDownVisible = true;
    m_buttonOn = true;
    m_autoTimeZone = false;
    if (typed.isEmpty()) {
        timeZoneListDisplayed = aTimeZone;
    } else {
        Log::line(QStringLiteral("FIND <%1>").arg(typed));
        timeZoneListDisplayed = TimeZoneMatch::search(aTimeZone, typed);
        Log::line(QStringLiteral("all we found : \n%1").arg(timeZoneListDisplayed.join(QStringLiteral(",\n"))));
    }
    emit changed();
    emit scrollToFirstRow();
}

void Setup_TimeZoneContentView::mouseDown()
{
    if (m_dropDownVisible)
        closeDropDown();
}

void Setup_TimeZoneContentView::openDropDown()
{
    if (m_dropDownVisible)
        return;
    m_dropDownVisible = true;
    m_buttonOn = true;
    emit changed();
}

void Setup_TimeZoneContentView::closeDropDown()
{
    m_dropDownVisible = false;
    m_buttonOn = false;
    emit changed();
}
