#pragma once

#include <QString>

// An instruction text with one phrase in it that the widgets draw emphasised
// (the label of a button the text tells the user to press).
struct EmphasisedText
{
    QString text;
    QString phrase; // empty when the text does not contain it

    // The text with `phrase` emphasised if it occurs; logs which it was,
    // naming the phrase as `name`.
    static EmphasisedText find(
        const QString &text, const QString &phrase, const QString &name = QStringLiteral("NEXT"));
    // The text with the button's label put between straight double quotes
    // and emphasised, where it occurs.
    static EmphasisedText quotedLabel(QString text, const QString &label);
};
