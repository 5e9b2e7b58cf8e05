#include "core/DiagShowEula.h"

namespace {
const QString kBreak = QStringLiteral("\r\n\r\n");
constexpr int kTermCount = 8;
} // namespace

void DiagShowEula::windowDidLoad()
{
    DialogController::windowDidLoad();
    fillText();
}

void DiagShowEula::onCloseClicked()
{
    dismiss();
}

void DiagShowEula::fillText()
{
    // Rebuilt from empty on every load, so a second opening shows the same text.
    m_pieces.clear();
    const auto add = [this](Role role, const QString &key) { m_pieces.append({role, text(key)}); };
    const auto addBreak = [this] { m_pieces.append({Role::Break, kBreak}); };

    add(Role::Title, QStringLiteral("EulaTitle"));
    addBreak();
    add(Role::Important, QStringLiteral("EulaImportant"));
    addBreak();
    add(Role::ImportantText, QStringLiteral("EulaImportantText1"));
    addBreak();
    add(Role::ImportantText, QStringLiteral("EulaImportantText2"));
    addBreak();
    for (int n = 1; n <= kTermCount; ++n) {
        const QString heading = QStringLiteral("EulaTerms%1").arg(n);
        add(Role::TermHeading, heading);
        add(Role::TermText, heading + QStringLiteral("Text"));
        if (n < kTermCount)
            addBreak();
    }
    emit changed();
}

QString DiagShowEula::plainText() const
{
    QString all;
    for (const Piece &piece : m_pieces)
        all += piece.text;
    return all;
}

QString DiagShowEula::btColse() const
{
    return text(QStringLiteral("Button Close"));
}
