#include "widgets/WelcomePage.h"

#include "app/WelcomeView.h"
#include "widgets/Controls.h"
#include "widgets/KeyboardUse.h"
#include "widgets/RichText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel *richLabel(const QString &name, QWidget *parent)
{
    QLabel *label = wrappedLabel(name, parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

} // namespace

WelcomePage::WelcomePage(WelcomeView &view, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_welcome(richLabel(QStringLiteral("lbWelcome"), this))
    , m_text(richLabel(QStringLiteral("lbWelcomeText"), this))
    , m_selectLanguage(richLabel(QStringLiteral("lbSelectLanguage"), this))
    , m_languages(new QComboBox(this))
    , m_note(richLabel(QStringLiteral("lbNoteText"), this))
    , m_start(new QPushButton(this))
{
    setObjectName(QStringLiteral("welcomePage"));
    m_languages->setObjectName(QStringLiteral("cbSelectLanguage"));
    m_start->setObjectName(QStringLiteral("btnStart"));
    pressOnReturn(*this, m_start);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 24);
    layout->setSpacing(14);
    layout->addWidget(m_welcome);
    layout->addWidget(m_text);
    layout->addSpacing(12);
    layout->addWidget(m_selectLanguage);
    layout->addWidget(m_languages, 0, Qt::AlignLeading);
    layout->addSpacing(12);
    layout->addWidget(m_note);
    layout->addStretch();
    layout->addWidget(m_start, 0, Qt::AlignTrailing);

    m_languages->addItems(m_view.lanArray());
    connect(m_languages, &QComboBox::activated, this, [this](int row) { m_view.lanTableViewClicked(row); });
    connect(m_start, &QPushButton::clicked, this, [this] { m_view.onStartClicked(); });
    connect(&m_view, &WelcomeView::changed, this, &WelcomePage::refresh);
    refresh();
}

void WelcomePage::refresh()
{
    m_welcome->setText(emphasisedHtml(m_view.lbWelcome(), QString()));
    // The model's name stands out in the greeting.
    m_text->setText(emphasisedHtml(m_view.lbWelcomeText(), m_view.emphasisedPhrase()));
    m_selectLanguage->setText(emphasisedHtml(m_view.lbSelectLanguage(), QString()));
    m_languages->setAccessibleName(m_view.lbSelectLanguage());
    m_note->setText(emphasisedHtml(m_view.lbNoteText(), QString()));
    m_start->setText(m_view.btnStart());
    const QSignalBlocker block(m_languages);
    m_languages->setCurrentIndex(m_view.selectedLanguageIndex());
}
