#pragma once

#include <QString>

// The cloud portal's three forms and the first lines that answer them.
namespace CloudForms {

struct Answer
{
    bool status = false;
    QString key; // the key on success, the portal's first line otherwise
};

// Form values are escaped so that "&", "=", "%" or non-ASCII text in a
// password or name reach the portal as typed.
QString signinBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password);
QString addBody(const QString &wizardVer, const QString &lang, const QString &number, const QString &devicePassword,
    const QString &dfp);
QString newAccountBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password,
    const QString &verify, const QString &first, const QString &last);
// The escaped value of a URL query or form field: everything but letters,
// digits and "-._~" (and the extra characters given) as %XX of its UTF-8 bytes.
QString escaped(const QString &value, const QByteArray &alsoKept = QByteArray());

// "success:KEY..." for sign-in and sign-up.
Answer signinAnswer(const QString &text);
// "KEY:HRX-540A..." for adding the recorder.
Answer addAnswer(const QString &text);

} // namespace CloudForms
