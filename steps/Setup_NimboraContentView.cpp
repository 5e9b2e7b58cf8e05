#include "steps/Setup_NimboraContentView.h"

#include "core/DiagShowEula.h"
#include "core/ModalHost.h"
#include "steps/PasswordRules.h"

#include <QRegularExpression>

namespace {

const QString kSigninInfo = QStringLiteral("SetupNimbora Signin Info");
const QString kSignupInfo = QStringLiteral("SetupNimbora sign up Info");
const QString kInvalidPassword = QStringLiteral("SetupSetPwd Msg1");
const QString kPasswordsDiffer = QStringLiteral("SetupSetPwd Msg2");
const QString kInvalidMail = QStringLiteral("SetupSetPwd Msg3");

constexpr int kPasswordMin = 6;
constexpr int kPasswordMax = 31;

const QRegularExpression &mailExpression()
{
    static const QRegularExpression expression(
        QRegularExpression::anchoredPattern(QStringLiteral(
            R"re((?:[a-z0-9!#$%\&'*+/=?\^_`{|}~-]+(?:\.[a-z0-9!#$%\&'*+/=?\^_`{|}~-]+)*|"(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21\x23-\x5b\x5d-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])*")@(?:(?:[a-z0-9](?:[a-z0-9-]*[a-z0-9])?\.)+[a-z0-9](?:[a-z0-9-]*[a-z0-9])?|\[(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?|[a-z0-9-]*[a-z0-9]:(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21-\x5a\x53-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])+)\]))re")),
        QRegularExpression::CaseInsensitiveOption);
    return expression;
}

} // namespace

Setup_NimboraContentView::Setup_NimboraContentView(WizardContext &context, QObject *parent)
    : StepForm(context, parent)
{
}

void Setup_NimboraContentView::onSelectorChange(int tag)
{
    if (tag < AlreadyHave || tag > Pass)
        return;
    hideError();
    clearFields();
    if (tag != CreateOne)
        btCheck = false;
    selectedButtonTag = tag;
    emit changed();
    if (theDelegate)
        theDelegate->enableNext(tag != CreateOne || btCheck);
}

void Setup_NimboraContentView::setField(QString &field, const QString &typed)
{
    field = typed;
    hideError();
    emit changed();
}

void Setup_NimboraContentView::setMail(const QString &typed)
{
    setField(edMail, typed);
}

void Setup_NimboraContentView::setPassword(const QString &typed)
{
    setField(edPassword, typed);
}

void Setup_NimboraContentView::setRePassword(const QString &typed)
{
    setField(edRePassword, typed);
}

void Setup_NimboraContentView::setFirstName(const QString &typed)
{
    setField(edFirstName, typed);
}

void Setup_NimboraContentView::setLastName(const QString &typed)
{
    setField(edLastName, typed);
}

void Setup_NimboraContentView::btCheckTerms(bool checked)
{
    btCheck = checked;
    emit changed();
    if (theDelegate)
        theDelegate->enableNextButton(checked);
}

void Setup_NimboraContentView::btShowEulaClicked()
{
    DiagShowEula terms(context());
    context().modal.runModal(terms);
}

void Setup_NimboraContentView::clearFields()
{
    for (QString *field : {&edMail, &edPassword, &edRePassword, &edFirstName, &edLastName})
        field->clear();
    emit changed();
}

void Setup_NimboraContentView::hideError()
{
    m_errorVisible = false;
    m_errorMessage.clear();
    mailRecla = false;
    passwordRecla = false;
}

bool Setup_NimboraContentView::fail(const QString &key)
{
    showErrorMessage(text(key));
    return false;
}

bool Setup_NimboraContentView::chkAccount()
{
    switch (selectedButtonTag) {
    case AlreadyHave:
        if (edMail.isEmpty() || edPassword.isEmpty() || !checkValidMail(edMail))
            return fail(kSigninInfo);
        return true;
    case CreateOne:
        if (!checkValidMail(edMail))
            return fail(kInvalidMail);
        if (edPassword != edRePassword)
            return fail(kPasswordsDiffer);
        if (!checkValidPassword(edPassword))
            return fail(kInvalidPassword);
        for (const QString *field : {&edMail, &edPassword, &edRePassword, &edFirstName, &edLastName}) {
            if (field->isEmpty())
                return fail(kSignupInfo);
        }
        return true;
    default:
        return true;
    }
}

void Setup_NimboraContentView::showErrorMessage(const QString &message)
{
    const bool noPassword = edPassword.isEmpty() || edPassword == QLatin1String(" ");
    if (message == text(kSigninInfo)) {
        mailRecla = true;
        passwordRecla = passwordRecla || noPassword;
    } else if (message == text(kPasswordsDiffer) || message == text(kInvalidPassword)) {
        passwordRecla = true;
    } else if (message == text(kSignupInfo)) {
        mailRecla = true;
        passwordRecla = true;
    } else if (message == text(kInvalidMail)) {
        mailRecla = true;
    }
    // The portal's own texts name the field they refuse.
    if (message.contains(QLatin1String("account")) || message.contains(QLatin1String("mail")))
        mailRecla = true;
    if (message.contains(QLatin1String("password")))
        passwordRecla = true;
    m_errorMessage = message;
    m_errorVisible = true;
    emit changed();
}

bool Setup_NimboraContentView::checkValidMail(const QString &mail)
{
    return mailExpression().match(mail).hasMatch();
}

bool Setup_NimboraContentView::checkValidPassword(const QString &password)
{
    return !checkSpaces(password) && !checkSpecialCharacters(password) && !checkPasswordLength(password);
}

bool Setup_NimboraContentView::checkSpaces(const QString &text)
{
    return PasswordRules::hasSpace(text);
}

bool Setup_NimboraContentView::checkSpecialCharacters(const QString &text)
{
    return PasswordRules::hasSpecial(text);
}

bool Setup_NimboraContentView::checkPasswordLength(const QString &text)
{
    return !PasswordRules::lengthWithin(text, kPasswordMin, kPasswordMax);
}
