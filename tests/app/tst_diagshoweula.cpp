#include "app/core/DiagShowEula.h"
#include "app/core/HMLocalization.h"
#include "app/core/ScriptedModalHost.h"
#include "platform/NotificationCenter.h"
#include "platform/Resources.h"
#include "platform/UrlOpener.h"

#include <QTest>

class DiagShowEulaTest : public QObject
{
    Q_OBJECT

    NotificationCenter m_notifications;
    HMLocalization m_l10n {Resources::path(QStringLiteral("lang"))};
    ScriptedModalHost m_modal;
    RecordingUrlOpener m_urls;
    WizardContext m_context {m_notifications, m_l10n, m_modal, m_urls, {}};

    QString shownText(const QString &language)
    {
        m_l10n.setLanguage(language);
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
        return grey == QStringList {QStringLiteral("YES"), QStringLiteral("NO")} ? text
                                                                                 : QStringLiteral("undimmed wrongly");
    }

private slots:
    // Every piece comes from the file of the active language (a key shown as itself: the file lacks it).
    void agreementInTheActiveLanguage()
    {
        const QString english = shownText(QStringLiteral("EN"));
        QVERIFY(english.startsWith(m_l10n.localizedStringForKey(QStringLiteral("EulaTitle"))));
        QVERIFY(english.endsWith(m_l10n.localizedStringForKey(QStringLiteral("EulaTerms8Text"))));
        QVERIFY(!english.contains(QLatin1String("Eula")));
        QCOMPARE(shownText(QStringLiteral("EN")), english);
        const QString japanese = shownText(QStringLiteral("JP"));
        QVERIFY(japanese.startsWith(m_l10n.localizedStringForKey(QStringLiteral("EulaTitle"))));
        QVERIFY(japanese != english);
    }
};

QTEST_GUILESS_MAIN(DiagShowEulaTest)
#include "tst_diagshoweula.moc"
