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

private slots:
    void init();
    void agreementInOrderWithBreaks();
    void reopenedShowsSameTextAndUndims();
    void windowControlAlsoUndims();
    void followsActiveLanguage();

private:
    QStringList openOnce(const ScriptedModalHost::Script &script, QString *text = nullptr);

    NotificationCenter m_notifications;
    HMLocalization m_l10n {Resources::path(QStringLiteral("lang"))};
    ScriptedModalHost m_modal;
    RecordingUrlOpener m_urls;
    WizardContext m_context {m_notifications, m_l10n, m_modal, m_urls, {}};
};

void DiagShowEulaTest::init()
{
    m_l10n.setLanguage(QStringLiteral("EN"));
}

// Opens the dialog once; returns the grey-view values posted meanwhile.
QStringList DiagShowEulaTest::openOnce(const ScriptedModalHost::Script &script, QString *text)
{
    QStringList grey;
    const auto token = m_notifications.addObserver(
        Notifications::greyViewCovered, [&grey](const QObject *, const QVariantMap &info) {
            grey << info.value(Notifications::greyViewCovered).toString();
        });
    m_modal.setScript(QStringLiteral("DiagShowEula"), [&](DialogController &dialog) {
        if (text)
            *text = static_cast<DiagShowEula &>(dialog).plainText();
        script(dialog);
    });
    DiagShowEula eula(m_context);
    m_modal.runModal(eula);
    m_notifications.removeObserver(token);
    return grey;
}

void DiagShowEulaTest::agreementInOrderWithBreaks()
{
    DiagShowEula eula(m_context);
    eula.windowDidLoad();
    const QList<DiagShowEula::Piece> &pieces = eula.textView();
    // Title, important heading and two texts each followed by a break, then
    // eight heading+text pairs with a break between pairs: 8 + 8 * 2 + 7.
    QCOMPARE(pieces.size(), 31);
    QCOMPARE(pieces.first().role, DiagShowEula::Role::Title);
    QCOMPARE(pieces.first().text, m_l10n.localizedStringForKey(QStringLiteral("EulaTitle")));
    QCOMPARE(pieces.at(1).text, QStringLiteral("\r\n\r\n"));
    QCOMPARE(pieces.at(8).role, DiagShowEula::Role::TermHeading);
    QCOMPARE(pieces.at(9).role, DiagShowEula::Role::TermText);
    QCOMPARE(pieces.last().role, DiagShowEula::Role::TermText);
    QCOMPARE(pieces.last().text, m_l10n.localizedStringForKey(QStringLiteral("EulaTerms8Text")));
    for (const DiagShowEula::Piece &piece : pieces) {
        // A key shown as itself means the shipped file lacks it.
        QVERIFY2(!piece.text.startsWith(QStringLiteral("Eula")), qPrintable(piece.text));
    }
    const QString all = eula.plainText();
    QVERIFY(all.indexOf(pieces.at(8).text) < all.indexOf(pieces.at(29).text));
    QVERIFY(!all.endsWith(QStringLiteral("\r\n")));
}

void DiagShowEulaTest::reopenedShowsSameTextAndUndims()
{
    const auto close = [](DialogController &dialog) { static_cast<DiagShowEula &>(dialog).onCloseClicked(); };
    QString first;
    QString second;
    QCOMPARE(openOnce(close, &first), (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
    QCOMPARE(openOnce(close, &second), (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
    QVERIFY(!first.isEmpty());
    QCOMPARE(second, first);
}

void DiagShowEulaTest::windowControlAlsoUndims()
{
    const auto windowClose = [](DialogController &dialog) { dialog.windowWillClose(); };
    QCOMPARE(openOnce(windowClose), (QStringList {QStringLiteral("YES"), QStringLiteral("NO")}));
}

void DiagShowEulaTest::followsActiveLanguage()
{
    const auto close = [](DialogController &dialog) { static_cast<DiagShowEula &>(dialog).onCloseClicked(); };
    QString english;
    openOnce(close, &english);
    m_l10n.setLanguage(QStringLiteral("JP"));
    QString japanese;
    openOnce(close, &japanese);
    QVERIFY(japanese.startsWith(m_l10n.localizedStringForKey(QStringLiteral("EulaTitle"))));
    QVERIFY(japanese != english);
}

QTEST_GUILESS_MAIN(DiagShowEulaTest)
#include "tst_diagshoweula.moc"
