#pragma once

#include "core/PageController.h"

#include <QStringList>

class ShellDelegate;

// The first page: greeting, language choice and Start.
class WelcomeView : public PageController
{
    Q_OBJECT
public:
    static inline const QString kPageKey = QStringLiteral("welcome");

    explicit WelcomeView(WizardContext &context, QObject *parent = nullptr);

    QString pageKey() const override { return kPageKey; }
    void viewDidAppear() override;

    void setDelegate(ShellDelegate *delegate);

    // Language choice.
    void onLangChanged();
    void lanTableViewClicked(int row);
    void menuItemAction(int item); // menuItem1Action: .. menuItem6Action:, item 1 to 6
    void closeTheLanguageMenu();
    void openLanguageMenu();
    void onStartClicked();
    int numberOfRowsInTableView() const;

    // Presentation state.
    const QStringList &lanArray() const { return m_lanArray; }
    int selectedLanguageIndex() const { return m_cbSelectLanguage; }
    QString popupTitle() const { return m_popupTitle; }
    bool isLanguageMenuOpen() const { return m_menuOpen; }
    QString lbWelcome() const { return m_lbWelcome; }
    QString lbWelcomeText() const { return m_lbWelcomeText; }
    QString emphasisedPhrase() const { return m_emphasised; }
    QString lbSelectLanguage() const { return m_lbSelectLanguage; }
    QString lbNoteText() const { return m_lbNoteText; }
    QString btnStart() const { return m_btnStart; }

    void setLanguageText();

private:
    void chooseIndex(int index);

    ShellDelegate *theDelegate = nullptr;
    QStringList m_lanArray;
    int m_cbSelectLanguage = 0;
    int m_selectedTableViewRow = -1;
    QString m_popupTitle;
    bool m_menuOpen = false;
    QString m_lbWelcome, m_lbWelcomeText, m_emphasised, m_lbSelectLanguage, m_lbNoteText, m_btnStart;
};
