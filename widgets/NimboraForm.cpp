#include "widgets/NimboraForm.h"

#include "steps/Setup_NimboraContentView.h"
#include "widgets/Controls.h"
#include "widgets/WizardStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

QLabel *marker(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("\u26A0"), parent);
    label->setObjectName(name);
    setStyleState(*label, "error", true);
    return label;
}

} // namespace

NimboraForm::NimboraForm(Setup_NimboraContentView &form, QWidget *parent)
    : QWidget(parent)
    , m_form(form)
    , m_text(wrappedLabel(QStringLiteral("lbText"), this))
    , m_options(new QButtonGroup(this))
    , m_mailMarker(marker(QStringLiteral("mailRecla"), this))
    , m_passwordMarker(marker(QStringLiteral("passwordRecla"), this))
    , m_check(new QCheckBox(this))
    , m_showEula(linkButton(QStringLiteral("btShowEula"), this))
    , m_error(wrappedLabel(QStringLiteral("lbErrorMsg"), this))
{
    setObjectName(QStringLiteral("nimboraContentView"));
    setStyleState(*m_error, "error", true);
    m_check->setObjectName(QStringLiteral("btCheck"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_text);
    const QStringList optionNames {
        QStringLiteral("btAlreadyHave"), QStringLiteral("btCreateOne"), QStringLiteral("btPass")};
    for (int tag = 0; tag < optionNames.size(); ++tag) {
        auto *option = new QRadioButton(this);
        option->setObjectName(optionNames.at(tag));
        m_options->addButton(option, tag);
        layout->addWidget(option);
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    m_mail = addField(*grid, 0, m_mailLabel, QStringLiteral("edMail"), &Setup_NimboraContentView::setMail);
    m_password
        = addField(*grid, 1, m_passwordLabel, QStringLiteral("edPassword"), &Setup_NimboraContentView::setPassword);
    m_rePassword = addField(
        *grid, 2, m_rePasswordLabel, QStringLiteral("edRePassword"), &Setup_NimboraContentView::setRePassword);
    m_firstName
        = addField(*grid, 3, m_firstNameLabel, QStringLiteral("edFirstName"), &Setup_NimboraContentView::setFirstName);
    m_lastName
        = addField(*grid, 4, m_lastNameLabel, QStringLiteral("edLastName"), &Setup_NimboraContentView::setLastName);
    for (QLineEdit *secret : {m_password, m_rePassword})
        secret->setEchoMode(QLineEdit::Password);
    grid->addWidget(m_mailMarker, 0, 2);
    grid->addWidget(m_passwordMarker, 1, 2);
    grid->setColumnStretch(3, 1);

    auto *terms = new QHBoxLayout;
    terms->setSpacing(4);
    terms->addWidget(m_check);
    terms->addWidget(m_showEula);
    terms->addStretch();

    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addLayout(terms);
    layout->addWidget(m_error);
    layout->addStretch();

    connect(m_options, &QButtonGroup::idClicked, &form, &Setup_NimboraContentView::onSelectorChange);
    connect(m_check, &QCheckBox::clicked, &form, &Setup_NimboraContentView::btCheckTerms);
    connect(m_showEula, &QPushButton::clicked, &form, &Setup_NimboraContentView::btShowEulaClicked);
    connect(&form, &Setup_NimboraContentView::changed, this, &NimboraForm::refresh);
    refresh();
}

QLineEdit *NimboraForm::addField(QGridLayout &grid, int row, QLabel *&label, const QString &name,
    void (Setup_NimboraContentView::*set)(const QString &))
{
    label = new QLabel(this);
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMinimumWidth(260);
    edit->setMaximumWidth(360);
    grid.addWidget(label, row, 0);
    grid.addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textEdited, &m_form, set);
    return edit;
}

void NimboraForm::refresh()
{
    m_text->setText(m_form.lbText());
    const QStringList optionTexts {m_form.lbAlreadyHave(), m_form.lbCreateOne(), m_form.lbPass()};
    for (int tag = 0; tag < optionTexts.size(); ++tag) {
        QAbstractButton *option = m_options->button(tag);
        option->setText(optionTexts.at(tag));
        option->setChecked(m_form.optionOn(tag));
    }
    const std::tuple<QLabel *, QLineEdit *, QString> fields[] = {{m_mailLabel, m_mail, m_form.lbMail()},
        {m_passwordLabel, m_password, m_form.lbPassword()}, {m_rePasswordLabel, m_rePassword, m_form.lbRePassword()},
        {m_firstNameLabel, m_firstName, m_form.lbFirstName()}, {m_lastNameLabel, m_lastName, m_form.lbLastName()}};
    for (const auto &[label, field, text] : fields) {
        label->setText(text);
        field->setAccessibleName(text);
    }
    m_showEula->setText(m_form.btShowEulaTitle());
    m_check->setAccessibleName(m_form.btShowEulaTitle());

    showText(*m_mail, m_form.getMail());
    showText(*m_password, m_form.getPassword());
    showText(*m_rePassword, m_form.getverifyPassword());
    showText(*m_firstName, m_form.getFirstName());
    showText(*m_lastName, m_form.getLastName());
    m_check->setChecked(m_form.termsChecked());

    const bool content1 = m_form.content1Visible();
    const bool content2 = m_form.content2Visible();
    for (QWidget *w : std::initializer_list<QWidget *> {m_mailLabel, m_mail, m_passwordLabel, m_password})
        w->setVisible(content1);
    for (QWidget *w : std::initializer_list<QWidget *> {m_rePasswordLabel, m_rePassword, m_firstNameLabel, m_firstName,
             m_lastNameLabel, m_lastName, m_check, m_showEula})
        w->setVisible(content2);
    m_mailMarker->setVisible(content1 && m_form.mailMarked());
    m_passwordMarker->setVisible(content1 && m_form.passwordMarked());
    setStyleState(*m_mail, "marked", m_form.mailMarked());
    setStyleState(*m_password, "marked", m_form.passwordMarked());
    // The marker beside a field is read with the field.
    m_mail->setAccessibleDescription(m_form.mailMarked() ? m_form.lbErrorMsg() : QString());
    m_password->setAccessibleDescription(m_form.passwordMarked() ? m_form.lbErrorMsg() : QString());
    m_error->setText(m_form.lbErrorMsg());
    m_error->setVisible(m_form.errorVisible());

    const bool enabled = m_form.inputsEnabled();
    for (QWidget *input : std::initializer_list<QWidget *> {
             m_mail, m_password, m_rePassword, m_firstName, m_lastName, m_check, m_showEula})
        input->setEnabled(enabled);
    for (QAbstractButton *option : m_options->buttons())
        option->setEnabled(enabled);
}
