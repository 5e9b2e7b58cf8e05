#pragma once

#include <QDialog>

class DiagAbout;

// Model, program version and the legal note.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    AboutDialog(DiagAbout &about, QWidget *parent = nullptr);
};
