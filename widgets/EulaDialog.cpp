#include "widgets/EulaDialog.h"

#include "core/DiagShowEula.h"
#include "widgets/DialogLayout.h"

#include <QTextBrowser>
#include <QTextCursor>

namespace {

QTextCharFormat formatOf(DiagShowEula::Role role, const QFont &base)
{
    QTextCharFormat format;
    QFont font = base;
    switch (role) {
    case DiagShowEula::Role::Title:
        font.setPointSizeF(base.pointSizeF() * 1.35);
        font.setBold(true);
        format.setForeground(QColor(0x1f, 0x3b, 0x5c));
        break;
    case DiagShowEula::Role::Important:
        font.setBold(true);
        format.setForeground(QColor(0xb0, 0x3a, 0x2e));
        break;
    case DiagShowEula::Role::TermHeading:
        font.setBold(true);
        format.setForeground(QColor(0x1f, 0x3b, 0x5c));
        break;
    case DiagShowEula::Role::ImportantText:
    case DiagShowEula::Role::TermText:
    case DiagShowEula::Role::Break:
        format.setForeground(QColor(0x33, 0x3d, 0x4a));
        break;
    }
    format.setFont(font);
    return format;
}

} // namespace

EulaDialog::EulaDialog(DiagShowEula &eula, QWidget *parent)
    : QDialog(parent)
    , m_eula(eula)
    , m_text(new QTextBrowser(this))
{
    // The agreement carries its own title as its first piece.
    QVBoxLayout *layout = dialogLayout(*this, eula.dialogKind(), QString());
    m_text->setObjectName(QStringLiteral("textView"));
    m_text->setOpenLinks(false);
    layout->addWidget(m_text, 1);
    QHBoxLayout *row = buttonRow(*layout);
    addButton(*row, QStringLiteral("btColse"), eula.btColse(), &eula, &DiagShowEula::onCloseClicked)->setDefault(true);
    // The opener fits dialogs to their size hint; the agreement needs room to read.
    setMinimumSize(620, 520);
    connect(&eula, &DiagShowEula::changed, this, &EulaDialog::refresh);
    refresh();
}

void EulaDialog::refresh()
{
    m_text->clear();
    // Named by the agreement's own title, which the window shows as text.
    for (const DiagShowEula::Piece &piece : m_eula.textView()) {
        if (piece.role == DiagShowEula::Role::Title) {
            setWindowTitle(piece.text);
            m_text->setAccessibleName(piece.text);
            break;
        }
    }
    QTextCursor cursor(m_text->document());
    for (const DiagShowEula::Piece &piece : m_eula.textView()) {
        if (piece.role == DiagShowEula::Role::Break) {
            // "\r\n\r\n": one empty line between paragraphs.
            cursor.insertBlock();
            cursor.insertBlock();
            continue;
        }
        cursor.insertText(piece.text, formatOf(piece.role, font()));
        // A heading reads better above its text than run into it.
        if (piece.role == DiagShowEula::Role::TermHeading)
            cursor.insertText(QString(QChar::LineSeparator));
    }
    m_text->moveCursor(QTextCursor::Start);
}
