#include "app/WelcomeView.h"

#include "core/HMLocalization.h"
#include "core/Languages.h"
#include "core/ShellDelegate.h"
#include "core/TextFormat.h"
#include "platform/Log.h"
#include "platform/ModelName.h"

WelcomeView::WelcomeView(WizardContext &context, QObject *parent)
    : PageController(context, parent)
{
    Log::line(QStringLiteral("-[WelcomeView awakeFromNib]"));
    setLanguageText();
    for (const QString &name : Languages::LangName())
        m_lanArray.append(name);
    m_cbSelectLanguage = 0;
    m_popupTitle = m_lanArray.first();
}

void WelcomeView::setDelegate(ShellDelegate *delegate)
{
    Log::line(QStringLiteral("wellcomeview::setDelegate"));
    theDelegate = delegate;
}

void WelcomeView::viewDidAppear()
{
    Log::line(QStringLiteral("-[WelcomeView viewDidAppear]"));
    postChangeReminder(kPageKey);
    // The first showing comes before the shell has chosen the language.
    setLanguageText();
    Log::line(QStringLiteral("-[WelcomeView prepareTheLanguageSelector2]"));
    m_menuOpen = false;
    emit changed();
}

void WelcomeView::setLanguageText()
{
    Log::line(QStringLiteral("-[WelcomeView setLanguageText]"));
    const QString model = ModelName::kNvr;
    m_lbWelcome = text(QStringLiteral("Welcome"));
    m_lbWelcomeText = fillFormat(text(QStringLiteral("Welcome_Text1")), {model});
    const bool portuguese = context().localization.activeLanguage() == QLatin1String("PT");
    m_emphasised = portuguese ? QStringLiteral("(%1)").arg(model) : QStringLiteral("Vexor NVR (%1)").arg(model);
    m_lbSelectLanguage = text(QStringLiteral("Welcome_SelectLanguage"));
    m_lbNoteText = fillFormat(text(QStringLiteral("Welcome_Text2")), {model});
    m_btnStart = text(QStringLiteral("APP_Start"));
    emit changed();
}

void WelcomeView::onLangChanged()
{
    const QString code = Languages::LangFile().value(m_cbSelectLanguage);
    if (theDelegate)
        theDelegate->switchLanguage(code);
    setLanguageText();
}

void WelcomeView::lanTableViewClicked(int row)
{
    Log::line(QStringLiteral("-[WelcomeView lanTableViewClicked:]"));
    m_selectedTableViewRow = row;
    if (row < 0 || row >= m_lanArray.size())
        return;
    chooseIndex(row);
    m_menuOpen = false;
    onLangChanged();
}

void WelcomeView::menuItemAction(int item)
{
    if (item < 1 || item > 6)
        return;
    chooseIndex(item - 1);
    closeTheLanguageMenu();
}

void WelcomeView::closeTheLanguageMenu()
{
    m_menuOpen = false;
    onLangChanged();
}

void WelcomeView::openLanguageMenu()
{
    m_menuOpen = true;
    emit changed();
}

void WelcomeView::onStartClicked()
{
    if (theDelegate)
        theDelegate->showInstallView();
}

int WelcomeView::numberOfRowsInTableView() const
{
    Log::format("%ld", long(m_lanArray.size()));
    return int(m_lanArray.size());
}

void WelcomeView::chooseIndex(int index)
{
    m_cbSelectLanguage = index;
    m_popupTitle = m_lanArray.value(index);
}
