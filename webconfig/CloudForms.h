#pragma once

#include <QString>

// The cloud portal's three forms and the first lines that answer them.
namespace CloudForms {

struct Answer
{
    bool status = false;
    QString key; // the key on success, the portal's first line otherwise
};

// Sign-in and add-device values go through formValue(); the sign-up body
// escapes every value as for a URL, its closing CR LF pair included.
QString signinBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password);
QString addBody(const QString &wizardVer, const QString &lang, const QString &number, const QString &devicePassword,
    const QString &dfp);
QString newAccountBody(const QString &wizardVer, const QString &lang, const QString &email, const QString &password,
    const QString &verify, const QString &first, const QString &last);
// The escaped value of a URL query or form field: everything but letters,
// digits and "-._~" (and the extra characters given) as %XX of its UTF-8 bytes.
QString escaped(const QString &value, const QByteArray &alsoKept = QByteArray());
// A form field's value escaped only where a decoder would otherwise read
// something else: "%", "&", "+", "#", "?", "=", space, control characters and
// the UTF-8 bytes of non-ASCII text become %XX; every other character is sent
// as typed, so "a+b@example.com" arrives as itself.
QString formValue(const QString &value);
// formValue(), plus the characters a URL may not hold at all (" < > \ ^ ` { | }),
// which would make the whole request unusable.
QString queryValue(const QString &value);
// The query that stores the cloud account in the recorder.
QString accountQuery(const QString &email, const QString &password);

// "success:KEY..." for sign-in and sign-up.
Answer signinAnswer(const QString &text);
// "KEY:HRX-540A..." for adding the recorder.
Answer addAnswer(const QString &text);

} // namespace CloudForms
