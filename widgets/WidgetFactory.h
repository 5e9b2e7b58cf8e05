#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <typeindex>
#include <unordered_map>

class DialogController;
class PageController;
class QDialog;
class QWidget;

// Which widget shows which controller, by the controller's type: every page,
// step and dialog is registered in RegisterWidgets.cpp.
class WidgetFactory
{
public:
    using PageMaker = std::function<QWidget *(PageController &page, QWidget *parent)>;
    using DialogMaker = std::function<QDialog *(DialogController &dialog, QWidget *parent)>;

    // Widget(Controller &, QWidget *parent) shows a Controller.
    template<typename Controller, typename Widget> void addPage()
    {
        addPage<Controller>([](Controller &page, QWidget *parent) -> QWidget * { return new Widget(page, parent); });
    }
    template<typename Controller> void addPage(std::function<QWidget *(Controller &page, QWidget *parent)> maker)
    {
        m_pages[typeid(Controller)] = [maker = std::move(maker)](PageController &page, QWidget *parent) {
            return maker(static_cast<Controller &>(page), parent);
        };
    }
    template<typename Controller, typename Window> void addDialog()
    {
        // The class name is the dialog's kind, and the window's name in tests.
        static_assert(QtPrivate::HasQ_OBJECT_Macro<Controller>::Value, "a dialog controller declares Q_OBJECT");
        m_dialogs[typeid(Controller)] = [](DialogController &dialog, QWidget *parent) -> QDialog * {
            return new Window(static_cast<Controller &>(dialog), parent);
        };
    }

    // nullptr when nothing is registered for the controller's type.
    QWidget *makePage(PageController &page, QWidget *parent) const;
    QDialog *makeDialog(DialogController &dialog, QWidget *parent) const;

private:
    std::unordered_map<std::type_index, PageMaker> m_pages;
    std::unordered_map<std::type_index, DialogMaker> m_dialogs;
};
