#pragma once

#include <QHash>
#include <QString>

#include <functional>

class DialogController;
class PageController;
class QDialog;
class QWidget;

// Which widget shows which controller: pages and steps by pageKey(), dialogs
// by dialogKind(). Each area registers its widgets in its own
// register...Widgets(WidgetFactory &) function, called from RegisterWidgets.cpp.
class WidgetFactory
{
public:
    using PageMaker = std::function<QWidget *(PageController &page, QWidget *parent)>;
    using DialogMaker = std::function<QDialog *(DialogController &dialog, QWidget *parent)>;

    void registerPage(const QString &pageKey, PageMaker maker);
    void registerDialog(const QString &dialogKind, DialogMaker maker);

    // nullptr when nothing is registered for the key.
    QWidget *makePage(PageController &page, QWidget *parent) const;
    QDialog *makeDialog(DialogController &dialog, QWidget *parent) const;

private:
    QHash<QString, PageMaker> m_pages;
    QHash<QString, DialogMaker> m_dialogs;
};
