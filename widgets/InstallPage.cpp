#include "widgets/InstallPage.h"

#include "guide/InstallView.h"
#include "widgets/GuidePicture.h"
#include "widgets/KeyboardUse.h"
#include "widgets/LeftStepList.h"
#include "widgets/RichText.h"
#include "widgets/WizardStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

InstallPage::InstallPage(InstallView &view, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_title(new QLabel(this))
    , m_picture(new GuidePicture(this))
    , m_tip(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_back(new QPushButton(this))
    , m_tipButton(new QPushButton(this))
    , m_next(new QPushButton(this))
{
    setObjectName(QStringLiteral("installPage"));
    m_title->setObjectName(QStringLiteral("lbTitle"));
    m_title->setWordWrap(true);
    m_tip->setObjectName(QStringLiteral("lbTip1"));
    m_tip->setWordWrap(true);
    m_tip->setTextFormat(Qt::RichText);
    m_progress->setRange(0, 3);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(8);
    m_back->setObjectName(QStringLiteral("btnBack"));
    m_tipButton->setObjectName(QStringLiteral("btnTip"));
    // A help link, not a step of the guide.
    setStyleState(*m_tipButton, "link", true);
    m_tipButton->setCursor(Qt::PointingHandCursor);
    m_next->setObjectName(QStringLiteral("btnNext"));
    pressOnReturn(*this, m_next);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_tipButton);
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(new LeftStepList(view.leftStepViewController(), view.context().localization, this));
    auto *layout = new QVBoxLayout;
    row->addLayout(layout, 1);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(12);
    layout->addWidget(m_title);
    layout->addWidget(m_picture, 1);
    layout->addWidget(m_tip);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_back, &QPushButton::clicked, this, [this] { m_view.onBackClicked(); });
    connect(m_next, &QPushButton::clicked, this, [this] { m_view.onNextClicked(); });
    connect(m_tipButton, &QPushButton::clicked, this, [this] { m_view.onTipClicked(); });
    connect(&m_view, &InstallView::changed, this, &InstallPage::refresh);
    refresh();
}

void InstallPage::refresh()
{
    m_title->setText(m_view.lbTitle());
    m_picture->setSubPage(m_view.subPage(), m_view.half());
    m_tip->setText(emphasisedHtml(m_view.lbTip1().text, m_view.lbTip1().phrase));
    m_progress->setValue(m_view.progressPosition());
    m_back->setText(m_view.btnBackTitle());
    m_next->setText(m_view.btnNextTitle());
    m_tipButton->setText(m_view.btnTipTitle());
    m_tipButton->setVisible(m_view.isTipVisible());
}
