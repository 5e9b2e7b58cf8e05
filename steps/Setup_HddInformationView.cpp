#include "steps/Setup_HddInformationView.h"

#include "core/HMLocalization.h"
#include "core/TextFormat.h"
#include "core/WizardContext.h"
#include "platform/Log.h"
#include "platform/ModelName.h"
#include "util/RowAt.h"
#include "webconfig/RecordParsers.h"

#include <algorithm>

namespace {

const QString kNone = QStringLiteral("---");

bool hasPartitions(const THddInfo &hdd)
{
    return hdd.partitions().value_or(QString()) != QLatin1String("0");
}

// The first partition; none when the answer listed none, whatever it counted.
const TPartition *firstPartition(const THddInfo &hdd)
{
    return hdd.partitionInfos().isEmpty() ? nullptr : &hdd.partitionInfos().first();
}

struct StatusEntry
{
    const char *key;
    Setup_HddInformationView::StatusIcon icon;
};

constexpr int kDiskError = 4;

// Indexed by the partition status the recorder reports.
constexpr StatusEntry kStatus[] = {
    {"SetupHdd invalid record format", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd record", Setup_HddInformationView::StatusIcon::CheckOn},
    {"SetupHdd idle", Setup_HddInformationView::StatusIcon::CheckOn},
    {"SetupHdd disk full", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd disk error", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd unknow file system", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd no format", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd no partition", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd unknow device", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd overwrite", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd formatting", Setup_HddInformationView::StatusIcon::CheckOff},
    {"SetupHdd reject", Setup_HddInformationView::StatusIcon::CheckOff},
};

// The first partition's status as a number (a missing one reads as 0); -1
// when the answer listed no partition.
int statusValue(const THddInfo &hdd)
{
    const TPartition *first = firstPartition(hdd);
    return first ? RecordParsers::leadingInt(first->status().value_or(QString())) : -1;
}

} // namespace

bool diskInUse(const THddInfo &disk)
{
    constexpr int kRecording = 1;
    constexpr int kDiskFull = 3;
    constexpr int kOverwrite = 9;
    if (!hasPartitions(disk))
        return false;
    const QList<TPartition> &parts = disk.partitionInfos();
    return std::any_of(parts.cbegin(), parts.cend(), [](const TPartition &part) {
        const int status = RecordParsers::leadingInt(part.status().value_or(QString()));
        return status == kRecording || status == kDiskFull || status == kOverwrite
            || part.usedSpace().value_or(QString()).toDouble() > 0;
    });
}

Setup_HddInformationView::Setup_HddInformationView(WizardContext &context, QObject *parent)
    : QObject(parent)
    , context(context)
{
}

void Setup_HddInformationView::setHddList(const THddInfoList &list)
{
    hdd = list;
    updateStatusCells();
    emit changed();
}

void Setup_HddInformationView::updateStatusCells()
{
    m_statusCells.resize(hdd.size());
    for (qsizetype row = 0; row < hdd.size(); ++row) {
        StatusCell &cell = m_statusCells[row];
        if (!hasPartitions(*hdd.at(row))) {
            cell = StatusCell {QString(), true, StatusIcon::None, false, false};
            continue;
        }
        const int status = statusValue(*hdd.at(row));
        cell.formatVisible = true;
        cell.formatEnabled = status == kDiskError;
        if (status < 0 || status >= int(std::size(kStatus)))
            continue; // unknown: the cell keeps what it showed
        cell.key = QString::fromLatin1(kStatus[status].key);
        cell.dashes = false;
        cell.icon = kStatus[status].icon;
    }
}

const THddInfo *Setup_HddInformationView::disk(int row) const
{
    const std::shared_ptr<THddInfo> *found = rowAt(hdd, row);
    return found ? found->get() : nullptr;
}

bool Setup_HddInformationView::rowChecked(int row) const
{
    const THddInfo *d = disk(row);
    return d && d->checked();
}

QString Setup_HddInformationView::rowBay(int row) const
{
    return QString::number(row + 1);
}

QString Setup_HddInformationView::rowProduct(int row) const
{
    const THddInfo *d = disk(row);
    if (!d || d->modelName().value_or(QString()).isEmpty())
        return kNone;
    return d->product().value_or(QString());
}

QString Setup_HddInformationView::rowCapacity(int row) const
{
    const THddInfo *d = disk(row);
    const TPartition *first = d && hasPartitions(*d) ? firstPartition(*d) : nullptr;
    if (!first)
        return kNone;
    return diskSizeText(first->capacity().value_or(QString()), context.localization);
}

QString Setup_HddInformationView::rowStatus(int row) const
{
    const StatusCell *cell = rowAt(m_statusCells, row);
    if (!cell)
        return QString();
    if (cell->dashes)
        return kNone;
    return cell->key.isEmpty() ? QString() : text(cell->key);
}

Setup_HddInformationView::StatusIcon Setup_HddInformationView::rowIcon(int row) const
{
    const StatusCell *cell = rowAt(m_statusCells, row);
    return cell ? cell->icon : StatusIcon::None;
}

bool Setup_HddInformationView::rowFormatVisible(int row) const
{
    const StatusCell *cell = rowAt(m_statusCells, row);
    return cell && cell->formatVisible;
}

bool Setup_HddInformationView::rowFormatEnabled(int row) const
{
    const StatusCell *cell = rowAt(m_statusCells, row);
    return cell && cell->formatVisible && cell->formatEnabled;
}

bool Setup_HddInformationView::rowInUse(int row) const
{
    const THddInfo *d = disk(row);
    return d && diskInUse(*d);
}

bool Setup_HddInformationView::bayHasDrive(int bay) const
{
    const THddInfo *d = disk(bay);
    return d && !d->deviceName().value_or(QString()).isEmpty();
}

void Setup_HddInformationView::onButtonClicked(int row)
{
    Log::format("The format button at row %ld was clicked.", long(row));
    if (const std::shared_ptr<THddInfo> *found = rowAt(hdd, row); found && hasPartitions(**found)) {
        const std::shared_ptr<THddInfo> &clicked = *found;
        Log::format("[info checked]=%d", int(clicked->checked()));
        setMark(clicked, !clicked->checked());
        Log::format("[info checked]=%d", int(clicked->checked()));
        emit changed();
    }
    emit nextRequested();
}

void Setup_HddInformationView::onFormatClicked(int row)
{
    if (!rowFormatEnabled(row))
        return;
    Log::format("The format button of the disk in error at row %ld was clicked.", long(row));
    // The button names one disk: the confirmation must not add the others.
    for (qsizetype i = 0; i < hdd.size(); ++i)
        setMark(hdd.at(i), i == row);
    emit changed();
    emit nextRequested();
}

void Setup_HddInformationView::setMark(const std::shared_ptr<THddInfo> &disk, bool checked)
{
    if (disk->checked() == checked)
        return;
    disk->setChecked(checked);
    emit markChanged(disk);
}

QString Setup_HddInformationView::lbColumnBay() const
{
    return text(QStringLiteral("SetupHdd_HD1"));
}

EmphasisedText Setup_HddInformationView::lbNote() const
{
    const QString note = fillFormat(text(QStringLiteral("SetupHdd_Text1.5")), {ModelName::kNvr});
    return EmphasisedText::quotedLabel(note, text(QStringLiteral("APP_Next2")));
}

QString Setup_HddInformationView::lbRaidNote() const
{
    return text(QStringLiteral("SetupHdd_Text1_RAID"));
}

QString Setup_HddInformationView::lbImaortant() const
{
    return text(QStringLiteral("SetupHdd_important"));
}

QString Setup_HddInformationView::lbImportantText() const
{
    return text(QStringLiteral("SetupHdd_Text2"));
}

QString Setup_HddInformationView::btFormatTitle() const
{
    return text(QStringLiteral("SetupHdd_BtnFormat"));
}

QString Setup_HddInformationView::text(const QString &key) const
{
    return context.localization.localizedStringForKey(key);
}
