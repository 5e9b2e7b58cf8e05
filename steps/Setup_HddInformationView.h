#pragma once

#include "guide/EmphasisedText.h"
#include "webconfig/records/THddInfo.h"

#include <QObject>

#include <memory>

struct WizardContext;

// A disk already in use: a partition that records, is full or overwrites, or
// one with used space. Such a disk is formatted only when asked by name.
bool diskInUse(const THddInfo &disk);

// The disk table of the hard-disk step: one row per bay, its mark, what the
// recorder reports of its drive, and the bay pictures.
class Setup_HddInformationView : public QObject
{
    Q_OBJECT
public:
    enum class StatusIcon { None, CheckOn, CheckOff };

    explicit Setup_HddInformationView(WizardContext &context, QObject *parent = nullptr);

    // The rows shown; the records are shared with the step, so a mark set
    // here is the one the format reads.
    void setHddList(const THddInfoList &list);
    const THddInfoList &hddList() const { return hdd; }

    int rowCount() const { return int(hdd.size()); }
    bool rowChecked(int row) const;
    QString rowBay(int row) const;
    QString rowProduct(int row) const;
    QString rowCapacity(int row) const;
    // Column 4: a status the table does not know leaves text and icon as they were.
    QString rowStatus(int row) const;
    StatusIcon rowIcon(int row) const;
    // Column 4's format button: hidden for a disk without partitions, enabled
    // only for a disk in error.
    bool rowFormatVisible(int row) const;
    bool rowFormatEnabled(int row) const;
    bool rowInUse(int row) const;
    // Whether the bay picture shows a drive (bays 0 and 1).
    bool bayHasDrive(int bay) const;

    // The row's check button: toggles the mark of a disk with partitions,
    // then acts as Next.
    void onButtonClicked(int row);
    // Column 4's format button: this disk alone is marked, then Next.
    void onFormatClicked(int row);

    QString lbColumnBay() const;
    EmphasisedText lbNote() const;
    QString lbRaidNote() const;
    QString lbImaortant() const;
    QString lbImportantText() const;
    QString btFormatTitle() const;

signals:
    void changed();
    // The step's Next.
    void nextRequested();
    // The user set or cleared the mark of this disk.
    void markChanged(const std::shared_ptr<THddInfo> &disk);

private:
    // What column 4 of a row shows.
    struct StatusCell
    {
        QString key; // the status text's key; empty with the dashes or before any status
        bool dashes = false;
        StatusIcon icon = StatusIcon::None;
        bool formatVisible = false;
        bool formatEnabled = false;
    };

    const THddInfo *disk(int row) const;
    void updateStatusCells();
    void setMark(const std::shared_ptr<THddInfo> &disk, bool checked);
    QString text(const QString &key) const;

    WizardContext &context;
    THddInfoList hdd;
    QList<StatusCell> m_statusCells;
};
