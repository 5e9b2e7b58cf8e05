#pragma once

#include <QDialog>

class DiagHddConfirm;
class DiagHddFormat;

// Asks before the marked disks are formatted.
class HddFormatDialog : public QDialog
{
    Q_OBJECT
public:
    HddFormatDialog(DiagHddFormat &diag, QWidget *parent = nullptr);
};

// No disk in the recorder: how to fit one, then look again.
class HddConfirmDialog : public QDialog
{
    Q_OBJECT
public:
    HddConfirmDialog(DiagHddConfirm &diag, QWidget *parent = nullptr);
};
