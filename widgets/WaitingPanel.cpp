#include "widgets/WaitingPanel.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

WaitingPanel::WaitingPanel(QWidget *parent)
    : QWidget(parent)
    , m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("messageView"));
    m_message->setObjectName(QStringLiteral("lbMessage"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    auto *busy = new QProgressBar(this);
    busy->setRange(0, 0); // keeps moving while the step waits
    busy->setTextVisible(false);
    busy->setFixedWidth(260);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(busy, 0, Qt::AlignHCenter);
    layout->addWidget(m_message);
    layout->addStretch();
}

void WaitingPanel::setMessage(const QString &message)
{
    m_message->setText(message);
}
