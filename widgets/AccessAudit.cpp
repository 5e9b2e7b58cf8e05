#include "widgets/AccessAudit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace {

// The pieces Qt builds controls from (a field's clear button, a list's scroll
// bars and headers) are reached and named through their control.
bool isPart(const QWidget &widget, const QWidget &root)
{
    if (qobject_cast<const QScrollBar *>(&widget) || qobject_cast<const QHeaderView *>(&widget))
        return true;
    if (qobject_cast<const QAbstractItemView *>(widget.parentWidget()))
        return true; // the corner button; cells sit in the viewport
    for (const QWidget *up = widget.parentWidget(); up && up != root.parentWidget(); up = up->parentWidget()) {
        if (qobject_cast<const QLineEdit *>(up) || qobject_cast<const QComboBox *>(up)
            || qobject_cast<const QAbstractSpinBox *>(up) || qobject_cast<const QAbstractButton *>(up))
            return true;
    }
    return false;
}

// Something the user operates or reads into, as opposed to a label or a
// picture; a list that cannot be chosen from is read through its rows.
bool isControl(const QWidget &widget)
{
    if (auto *view = qobject_cast<const QAbstractItemView *>(&widget))
        return view->selectionMode() != QAbstractItemView::NoSelection;
    return qobject_cast<const QAbstractButton *>(&widget) || qobject_cast<const QLineEdit *>(&widget)
        || qobject_cast<const QComboBox *>(&widget) || qobject_cast<const QTextEdit *>(&widget)
        || qobject_cast<const QAbstractSpinBox *>(&widget) || qobject_cast<const QAbstractSlider *>(&widget);
}

// What a screen reader announces: the accessible name set, or what Qt makes
// of the control's text or its label.
QString spokenName(const QWidget &widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(&widget));
    return (iface ? iface->text(QAccessible::Name) : widget.accessibleName()).trimmed();
}

bool takesTab(const QWidget &widget)
{
    return widget.focusPolicy() & Qt::TabFocus;
}

// Tab goes to the checked button of a group of choices, the arrow keys move
// between them; so one of the group taking Tab reaches them all.
bool reachable(const QWidget &widget)
{
    if (takesTab(widget))
        return true;
    auto *button = qobject_cast<const QAbstractButton *>(&widget);
    const QButtonGroup *group = button ? button->group() : nullptr;
    if (!group || !group->exclusive())
        return false;
    const QList<QAbstractButton *> buttons = group->buttons();
    return std::any_of(buttons.begin(), buttons.end(), [](const QAbstractButton *b) { return takesTab(*b); });
}

QString describe(const QWidget &widget)
{
    const QString name = widget.objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget.objectName();
    QString path = name;
    for (const QWidget *up = widget.parentWidget(); up; up = up->parentWidget()) {
        if (!up->objectName().isEmpty() && !up->objectName().startsWith(QLatin1String("qt_")))
            path.prepend(up->objectName() + QLatin1Char('/'));
    }
    return QStringLiteral("%1 (%2)").arg(path, QString::fromLatin1(widget.metaObject()->className()));
}

} // namespace

QStringList accessProblems(const QWidget &root)
{
    QStringList problems;
    if (qobject_cast<const QDialog *>(&root) && spokenName(root).isEmpty())
        problems << describe(root) + QStringLiteral(": dialog without a name");
    QList<const QWidget *> widgets {&root};
    for (const QWidget *child : root.findChildren<QWidget *>())
        widgets << child;
    for (const QWidget *widget : widgets) {
        if (!isControl(*widget) || isPart(*widget, root) || !widget->isVisibleTo(root.window()))
            continue;
        if (spokenName(*widget).isEmpty())
            problems << describe(*widget) + QStringLiteral(": no accessible name");
        if (!reachable(*widget))
            problems << describe(*widget) + QStringLiteral(": Tab never reaches it");
    }
    return problems;
}
