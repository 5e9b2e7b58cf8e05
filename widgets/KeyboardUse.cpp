#include "widgets/KeyboardUse.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

namespace {

const char kKeepsReturn[] = "keepsReturn";

bool isReturn(const QKeyEvent &key)
{
    const bool returnKey = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return returnKey && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A button that does something when pressed, unlike a toggle such as the
// zone button, whose Return belongs to the page.
QPushButton *plainButton(QWidget *widget)
{
    auto *button = qobject_cast<QPushButton *>(widget);
    return button && !button->isCheckable() ? button : nullptr;
}

bool usable(const QWidget *widget)
{
    return widget && widget->isVisible() && widget->isEnabled();
}

class ReturnKeys : public QObject
{
public:
    ReturnKeys(QWidget &area, QPushButton *defaultButton)
        : QObject(&area)
        , m_area(area)
        , m_default(defaultButton)
    {
        area.installEventFilter(this);
    }

    // Sees the keys the focused control left alone on their way up.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != &m_area || event->type() != QEvent::KeyPress || !isReturn(*static_cast<QKeyEvent *>(event)))
            return false;
        QWidget *focus = QApplication::focusWidget();
        if (focus && focus->property(kKeepsReturn).toBool())
            return false;
        QPushButton *target = plainButton(focus);
        if (!usable(target) || !(focus == &m_area || m_area.isAncestorOf(focus)))
            target = m_default;
        if (!usable(target))
            return false;
        target->click();
        return true;
    }

private:
    QWidget &m_area;
    QPointer<QPushButton> m_default;
};

bool takesTab(const QWidget &widget, const QWidget &area)
{
    return (widget.focusPolicy() & Qt::TabFocus) && widget.isEnabled() && widget.isVisibleTo(area.window());
}

// What the user fills in or picks, rather than a button that acts.
bool isInput(QWidget &widget)
{
    if (plainButton(&widget))
        return false;
    // An empty list has nothing to pick.
    auto *view = qobject_cast<QAbstractItemView *>(&widget);
    return !view || (view->model() && view->model()->rowCount() > 0);
}

void collectInLayout(QLayout &layout, QWidgetList &order);

void collectInReadingOrder(QWidget &widget, QWidgetList &order)
{
    order.append(&widget);
    if (auto *stack = qobject_cast<QStackedWidget *>(&widget)) {
        for (int page = 0; page < stack->count(); ++page)
            collectInReadingOrder(*stack->widget(page), order);
        return;
    }
    if (auto *view = qobject_cast<QAbstractItemView *>(&widget)) {
        const QAbstractItemModel *model = view->model();
        for (int row = 0; model && row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                if (QWidget *cell = view->indexWidget(model->index(row, column)))
                    collectInReadingOrder(*cell, order);
            }
        }
        return;
    }
    if (QLayout *layout = widget.layout())
        collectInLayout(*layout, order);
}

void collectInLayout(QLayout &layout, QWidgetList &order)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem *item = layout.itemAt(i);
        if (item->widget())
            collectInReadingOrder(*item->widget(), order);
        else if (item->layout())
            collectInLayout(*item->layout(), order);
    }
}

} // namespace

void pressOnReturn(QWidget &area, QPushButton *defaultButton)
{
    if (defaultButton)
        defaultButton->setDefault(true);
    new ReturnKeys(area, defaultButton);
}

void keepReturn(QWidget &field)
{
    field.setProperty(kKeepsReturn, true);
}

void chainTabsInReadingOrder(QWidget &window)
{
    QWidgetList order;
    collectInReadingOrder(window, order);
    // Qt leaves widgets without Tab out of the chain it orders.
    order.removeIf([](const QWidget *w) { return w->focusPolicy() == Qt::NoFocus; });
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void focusFirstControl(QWidget &area)
{
    QWidget *firstStop = nullptr;
    QWidget *defaultButton = nullptr;
    for (QWidget *w = area.nextInFocusChain(); w && w != &area; w = w->nextInFocusChain()) {
        if (!area.isAncestorOf(w) || !takesTab(*w, area))
            continue;
        if (isInput(*w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        if (!firstStop)
            firstStop = w;
        auto *button = plainButton(w);
        if (!defaultButton && button && button->isDefault())
            defaultButton = button;
    }
    if (QWidget *target = defaultButton ? defaultButton : firstStop)
        target->setFocus(Qt::TabFocusReason);
    else
        area.setFocus(Qt::OtherFocusReason);
}

bool focusDefaultButton(QWidget &inside)
{
    for (QWidget *area = inside.parentWidget(); area; area = area->parentWidget()) {
        const QList<QPushButton *> buttons = area->findChildren<QPushButton *>();
        for (QPushButton *button : buttons) {
            if (button->isDefault() && usable(button)) {
                button->setFocus(Qt::OtherFocusReason);
                return true;
            }
        }
    }
    return false;
}

void prepareForKeys(QWidget &window)
{
    chainTabsInReadingOrder(window);
    focusFirstControl(window);
}

void focusFirstControlSoon(QWidget &area)
{
    QTimer::singleShot(0, &area, [&area] {
        if (area.isVisible())
            focusFirstControl(area);
    });
}
