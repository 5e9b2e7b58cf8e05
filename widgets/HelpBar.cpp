#include "widgets/HelpBar.h"

#include "app/AppDelegate.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <functional>

HelpBar::HelpBar(AppDelegate &shell, QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("helpBar"));
    // In the order of AppDelegate::helpButtons().
    const std::function<void()> actions[] = {
        [this] { m_shell.onTroubleshootingClicked(); },
        [this] { m_shell.onSupportClicked(); },
        [this] { m_shell.onManualClicked(); },
        [this] { m_shell.onQuickGuideClicked(); },
        [this] { m_shell.onAdobeClicked(); },
        [this] { m_shell.onAboutClicked(); },
        [this] { m_shell.winClose(); },
    };
    static const char *const names[] = {"troubleshooting", "support", "manual", "quickGuide", "adobe", "about", "exit"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 4);
    for (int i = 0; i < 7; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(names[i]));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, actions[i]);
        layout->addWidget(button);
        m_buttons.append(button);
    }
    layout->addStretch();
    refresh();
}

void HelpBar::refresh()
{
    const auto &help = m_shell.helpButtons();
    for (int i = 0; i < m_buttons.size(); ++i) {
        m_buttons.at(i)->setText(i < help.size() ? help.at(i).title : QString());
        m_buttons.at(i)->setToolTip(i < help.size() ? help.at(i).toolTip : QString());
        m_buttons.at(i)->setVisible(m_shell.isHelpButtonVisible(i));
    }
}
