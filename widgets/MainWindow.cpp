#include "widgets/MainWindow.h"

#include "app/AppDelegate.h"
#include "core/HMLocalization.h"
#include "widgets/GreyOverlay.h"
#include "widgets/HelpBar.h"
#include "widgets/KeyboardUse.h"
#include "widgets/PageStack.h"
#include "widgets/WizardStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

MainWindow::MainWindow(AppDelegate &shell, WizardContext &context, const WidgetFactory &factory, QWidget *parent)
    : QWidget(parent)
    , m_shell(shell)
    , m_localization(context.localization)
    , m_title(new QLabel(this))
    , m_steps(new QLabel(this))
    , m_tradeMark(new QLabel(this))
    , m_copyright(new QLabel(this))
    , m_header(new QWidget(this))
    , m_helpBar(new HelpBar(shell, this))
    , m_overlay(nullptr)
{
    setObjectName(QStringLiteral("mainWindow"));
    m_header->setObjectName(QStringLiteral("header"));
    m_title->setObjectName(QStringLiteral("title"));
    m_steps->setObjectName(QStringLiteral("lbSteps"));
    m_tradeMark->setObjectName(QStringLiteral("tradeMark"));
    m_copyright->setObjectName(QStringLiteral("copyright"));

    auto *header = new QHBoxLayout(m_header);
    header->addWidget(m_tradeMark);
    header->addStretch();
    header->addWidget(m_steps);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(new PageStack(shell.contentBox(), factory, this), 1);
    layout->addWidget(m_helpBar);
    layout->addWidget(m_copyright);
    m_copyright->setAlignment(Qt::AlignCenter);

    m_overlay = new GreyOverlay(AppDelegate::kGreyLevel, this);
    // The help bar's buttons take Return as the pages' do.
    pressOnReturn(*this, nullptr);
    connect(&shell, &AppDelegate::changed, this, &MainWindow::refresh);
    connect(&shell, &AppDelegate::terminateRequested, this, [this] { m_terminating = true; });
    connect(&shell, &AppDelegate::minimizeRequested, this, &QWidget::showMinimized);
    connect(&shell, &AppDelegate::raiseRequested, this, [this] {
        raise();
        activateWindow();
    });
    setMinimumSize(880, 600);
    refresh();
}

void MainWindow::refresh()
{
    setWindowTitle(m_shell.windowTitle());
    // Right-to-left languages mirror the whole window, dialogs included.
    QApplication::setLayoutDirection(m_localization.languageDirection() == 2 ? Qt::RightToLeft : Qt::LeftToRight);
    m_qtTexts.follow(m_localization.activeLanguage());
    m_steps->setText(m_shell.lbSteps());
    m_steps->setVisible(m_shell.isStepsReminderVisible());
    m_tradeMark->setText(m_shell.lbTradeMark());
    m_tradeMark->setVisible(m_shell.isTradeMarkVisible());
    m_copyright->setText(m_shell.lbCopyright());
    for (QWidget *band : {m_header, static_cast<QWidget *>(m_tradeMark), static_cast<QWidget *>(m_steps)})
        setStyleState(*band, "grey", m_shell.isHeaderGrey());
    m_helpBar->refresh();
    m_overlay->setOpacity(m_shell.greyViewOpacity());
    m_overlay->setVisible(m_shell.isGreyViewVisible());
    m_overlay->raise();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_terminating) {
        event->accept();
        return;
    }
    event->ignore();
    m_shell.winClose();
}
