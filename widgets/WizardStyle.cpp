#include "widgets/WizardStyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

void applyWizardStyle(QApplication &app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setStyleSheet(QStringLiteral(R"(
QWidget#mainWindow { background: #f6f8fb; }
QWidget#header { background: white; min-height: 44px; border-bottom: 1px solid #d5dde8; }
QWidget#header QLabel { color: #1f3b5c; font-size: 15px; font-weight: 600; }
QWidget#header[grey="true"] { background: #1f3b5c; border-bottom: none; }
QWidget#header QLabel[grey="true"] { color: white; }
QWidget#leftSteps { background: #e7edf5; min-width: 150px; }
QWidget#leftSteps QLabel { color: #5a6b80; font-size: 14px; padding: 8px 14px; }
QWidget#leftSteps QLabel[current="true"] { color: #1f3b5c; font-weight: 700; background: white; border-radius: 6px; }
QLabel#lbWelcome, QLabel#dialogTitle, QLabel#lbTitle { font-size: 22px; font-weight: 600; color: #1f3b5c; }
QWidget#helpBar { background: #eef2f7; border-top: 1px solid #d5dde8; }
QWidget#helpBar QPushButton { color: #2463a6; padding: 4px 8px; }
QLabel#copyright { color: #7a8797; font-size: 11px; padding: 4px; }
QPushButton { padding: 6px 18px; color: #1f3b5c; background: white; border: 2px solid #c3cdd9; border-radius: 5px; }
QPushButton:hover { background: #f0f4f9; }
QPushButton:pressed { background: #e1e8f1; }
QPushButton:disabled { color: #9aa8b8; border-color: #dde3ea; }
QPushButton[link="true"], QPushButton:flat { color: #2463a6; border: 2px solid transparent; border-radius: 0; background: transparent; padding: 2px 4px; text-align: left; }
QPushButton[link="true"]:hover { text-decoration: underline; }
QPushButton[link="true"]:disabled { color: #9aa8b8; }
QLabel[error="true"] { color: #b03a2e; }
/* Where the keyboard is; a field's error mark below wins over it. A button shows it on its
   edge, as an outline round the label would cross the text. */
QCheckBox:focus, QRadioButton:focus { outline: 2px solid #e08a1e; }
QComboBox:focus, QLineEdit:focus, QAbstractItemView:focus, QTextBrowser:focus { border: 2px solid #e08a1e; border-radius: 3px; }
QLineEdit[marked="true"] { border: 1px solid #b03a2e; border-radius: 3px; padding: 2px; }
QPushButton:default { background: #2463a6; color: white; border-color: #2463a6; }
QPushButton:default:hover { background: #2f74bf; border-color: #2f74bf; }
QPushButton:default:disabled { background: #a9bdd4; color: #eef2f7; border-color: #a9bdd4; }
QPushButton:focus { border-color: #e08a1e; }
QPushButton[link="true"]:focus, QPushButton:flat:focus { border-color: transparent; border-bottom-color: #e08a1e; }
)"));
}

void setStyleState(QWidget &widget, const char *name, bool on)
{
    widget.setProperty(name, on);
    widget.style()->unpolish(&widget);
    widget.style()->polish(&widget);
}
