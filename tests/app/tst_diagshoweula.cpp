#include "app/core/DiagShowEula.h"
#include "app/core/HMLocalization.h"
#include "app/core/ScriptedModalHost.h"
#include "platform/NotificationCenter.h"
#include "platform/Resources.h"
#include "platform/UrlOpener.h"

#include <QTest>

// The licence dialog over the shipped language files, run through a modal host.
class DiagShowEulaTest : public QObject
{
    Q_OBJECT

    NotificationCenter m_notifications;
    HMLocalization m_l10n {Resources::path(QStringLiteral("lang"))};
    ScriptedModalHost m_modal;
    RecordingUrlOpener m_urls;
    WizardContext m_context {m_notifications, m_l10n, m_modal, m_urls, {}};

    // The text shown by one run of the dialog, closed by its window control,
    // which undims the window as its buttons do.
    QString shownText()
    {
        QString text;
        QStringList grey;
        const auto token = m_notifications.addObserver(
            Notifications::greyViewCovered, [&grey](const QObject *, const QVariantMap &info) {
                grey << info.value(Notifications::greyViewCovered).toString();
            });
        m_modal.setScript(QStringLiteral("DiagShowEula"), [&text](DialogController &dialog) {
            text = static_cast<DiagShowEula &>(dialog).plainText();
            dialog.windowWillClose();
        });
        DiagShowEula eula(m_context);
        m_modal.runModal(eula);
        m_notifications.removeObserver(token);
        if (grey != QStringList {QStringLiteral("YES"), QStringLiteral("NO")})
            return QStringLiteral("undimmed wrongly: ") + grey.join(QLatin1Char(' '));
        return text;
    }

private slots:
    // Every piece comes from the shipped file, from the title to the last term.
    void agreementFromTitleToLastTerm()
    {
        m_l10n.setLanguage(QStringLiteral("EN"));
        DiagShowEula eula(m_context);
        eula.windowDidLoad();
        const QList<DiagShowEula::Piece> &pieces = eula.textView();
        QCOMPARE(pieces.first().role, DiagShowEula::Role::Title);
        QCOMPARE(pieces.first().text, m_l10n.localizedStringForKey(QStringLiteral("EulaTitle")));
        QCOMPARE(pieces.last().text, m_l10n.localizedStringForKey(QStringLiteral("EulaTerms8Text")));
        for (const DiagShowEula::Piece &piece : pieces) // a key shown as itself: the file lacks it
            QVERIFY2(!piece.text.startsWith(QStringLiteral("Eula")), qPrintable(piece.text));
        QVERIFY(!eula.plainText().endsWith(QStringLiteral("\r\n")));
    }

    void reopenedInTheActiveLanguage()
    {
        m_l10n.setLanguage(QStringLiteral("EN"));
        const QString english = shownText();
        QVERIFY(!english.isEmpty());
        QCOMPARE(shownText(), english);
        m_l10n.setLanguage(QStringLiteral("JP"));
        const QString japanese = shownText();
        QVERIFY(japanese.startsWith(m_l10n.localizedStringForKey(QStringLiteral("EulaTitle"))));
        QVERIFY(japanese != english);
    }
};

QTEST_GUILESS_MAIN(DiagShowEulaTest)
#include "tst_diagshoweula.moc"
