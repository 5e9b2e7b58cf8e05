#include "app/SummaryView.h"

#include "app/ShellDelegate.h"

void SummaryView::viewDidAppear()
{
    postChangeReminder(QStringLiteral("summary"));
}

void SummaryView::setDelegate(ShellDelegate *delegate, NvrRef device, const QString &username, const QString &password)
{
    theDelegate = delegate;
    m_selectedNvr = std::move(device);
    m_username = username;
    m_password = password;
    emit changed();
}

void SummaryView::onFinishClicked()
{
    if (theDelegate)
        theDelegate->finishWizard();
}
