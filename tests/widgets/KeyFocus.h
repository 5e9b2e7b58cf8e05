#pragma once
// A user at the keyboard: where the focus is, keys to it, Tab through the
// window's chain; and acting from inside a dialog's own loop.
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <functional>

inline QWidget *focus()
{
    return QApplication::focusWidget();
}

inline QString focusName()
{
    return focus() ? focus()->objectName() : QStringLiteral("(none)");
}

inline bool focusIs(const char *name)
{
    return focus() && focus()->objectName() == QLatin1String(name) && focus()->isVisible() && focus()->isEnabled();
}

inline void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focus(), k, modifiers);
}

// Tab until the named control has the focus; false when more Tabs than the
// window's chain has stops never reach it.
inline bool tabTo(const char *name)
{
    for (int tab = 0; tab < 60 && !focusIs(name); ++tab)
        key(Qt::Key_Tab);
    return focusIs(name);
}

// Types first, Tab, second (into the field named next, when given), Return.
inline bool typeTwoThenReturn(const QString &first, const char *next, const QString &second)
{
    QTest::keyClicks(focus(), first);
    key(Qt::Key_Tab);
    if (next && !focusIs(next))
        return false;
    QTest::keyClicks(focus(), second);
    key(Qt::Key_Return);
    return true;
}

// The one widget of that name shown in `in` now; null when none.
template<typename T = QWidget> T *shown(const QWidget &in, const char *name)
{
    for (T *w : in.findChildren<T *>(QString::fromLatin1(name))) {
        if (w->isVisible())
            return w;
    }
    return nullptr;
}

// Polls rather than waits, so a dialog's loop is never blocked: once ready
// holds, act runs, once.
inline void onceReady(QObject *owner, const std::function<bool()> &ready, const std::function<void()> &act)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, ready, act] {
        if (!ready())
            return;
        poll->deleteLater();
        poll->stop();
        act();
    });
    poll->start(10);
}
