#pragma once

#include "core/DialogController.h"

#include <QList>

// The cloud service's licence agreement, read-only in a modal window.
class DiagShowEula : public DialogController
{
    Q_OBJECT
public:
    // Each piece of the agreement keeps its own colour and size on screen.
    enum class Role { Title, Important, ImportantText, TermHeading, TermText, Break };
    struct Piece
    {
        Role role;
        QString text;
    };

    using DialogController::DialogController;

    void windowDidLoad() override;

    void onCloseClicked();

    // The agreement as inserted into the text view, in order.
    const QList<Piece> &textView() const { return m_pieces; }
    QString plainText() const;
    QString btColse() const;

private:
    void fillText();

    QList<Piece> m_pieces;
};
