// libFuzzer target: the cloud portal's answers to the sign-in, sign-up and
// add-device forms, decoded as the transport hands them over; and the form
// values the wizard sends the portal, which must decode to what was typed.
#include "FuzzSupport.h"
#include "webconfig/AnswerText.h"
#include "webconfig/CloudForms.h"

#include <QStringList>

namespace {

void checkAnswers(const QString &text)
{
    const qsizetype end = text.indexOf(QLatin1String("\r\n"));
    const QString firstLine = end < 0 ? text : text.left(end);
    const QStringList parts = firstLine.split(QLatin1Char(':'));

    const CloudForms::Answer signin = CloudForms::signinAnswer(text);
    FUZZ_REQUIRE(signin.status == (parts.first() == QLatin1String("success")));
    FUZZ_REQUIRE(signin.key == (signin.status ? parts.value(1) : firstLine));

    const CloudForms::Answer add = CloudForms::addAnswer(text);
    FUZZ_REQUIRE(add.status == (parts.value(1) == QLatin1String("HRX-540A")));
    FUZZ_REQUIRE(add.key == (add.status ? parts.first() : firstLine));
}

void checkFormValue(const QString &typed)
{
    for (const QString &sent : {CloudForms::formValue(typed), CloudForms::queryValue(typed)}) {
        for (const QChar c : sent)
            FUZZ_REQUIRE(c.unicode() > 0x20 && c.unicode() < 0x7F && !QStringLiteral("&=+# ").contains(c));
        FUZZ_REQUIRE(QByteArray::fromPercentEncoding(sent.toLatin1()) == typed.toUtf8());
    }
}

} // namespace

NVR_FUZZ_TARGET(bytes)
{
    checkAnswers(AnswerText::fromAscii(bytes));
    checkFormValue(QString::fromUtf8(bytes));
}
