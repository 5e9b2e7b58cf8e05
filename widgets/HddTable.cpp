#include "widgets/HddTable.h"

#include "steps/Setup_HddInformationView.h"
#include "widgets/Controls.h"
#include "widgets/KeyboardUse.h"
#include "widgets/RichText.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Mark, Bay, Product, Capacity, Status, Columns };

// A drive bay seen from the front: its number, and the drive when one sits in it.
QPixmap bayPicture(int bay, bool drive)
{
    QPixmap pixmap(150, 46);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x5a, 0x6b, 0x7d), 1.5));
    painter.setBrush(QColor(0x2b, 0x33, 0x3d));
    painter.drawRoundedRect(QRectF(1, 1, 148, 44), 5, 5);
    if (drive) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x9a, 0xa8, 0xb8));
        painter.drawRoundedRect(QRectF(8, 8, 134, 30), 3, 3);
        painter.setBrush(QColor(0x3c, 0xc0, 0x63));
        painter.drawEllipse(QRectF(126, 19, 8, 8));
    }
    painter.setPen(drive ? QColor(0x1f, 0x3b, 0x5c) : QColor(0x9a, 0xa8, 0xb8));
    painter.drawText(QRectF(14, 8, 100, 30), Qt::AlignVCenter | Qt::AlignLeft, QString::number(bay + 1));
    return pixmap;
}

QIcon statusIcon(Setup_HddInformationView::StatusIcon icon)
{
    if (icon == Setup_HddInformationView::StatusIcon::None)
        return QIcon();
    const bool on = icon == Setup_HddInformationView::StatusIcon::CheckOn;
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? QColor(0x3c, 0xc0, 0x63) : QColor(0xd0, 0x5a, 0x4a));
    painter.drawEllipse(QRectF(1, 1, 14, 14));
    painter.setPen(QPen(Qt::white, 2));
    if (on) {
        painter.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5.5)}));
    } else {
        painter.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        painter.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
    }
    return QIcon(pixmap);
}

// Column 4: the status icon and text, and the format button on the right.
QWidget *statusCell(int row, QWidget *parent)
{
    auto *cell = new QWidget(parent);
    auto *icon = new QLabel(cell);
    icon->setObjectName(QStringLiteral("statusIcon"));
    auto *status = new QLabel(cell);
    status->setObjectName(QStringLiteral("lbStatus"));
    auto *format = new QPushButton(cell);
    format->setObjectName(QStringLiteral("btFormatDisk%1").arg(row));
    auto *layout = new QHBoxLayout(cell);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(icon);
    layout->addWidget(status);
    layout->addStretch();
    layout->addWidget(format);
    return cell;
}

} // namespace

HddTable::HddTable(Setup_HddInformationView &table, QWidget *parent)
    : QWidget(parent)
    , m_view(table)
    , m_bays {new QLabel(this), new QLabel(this)}
    , m_note(wrappedLabel(QStringLiteral("lbNote"), this))
    , m_table(new QTableWidget(0, Columns, this))
    , m_important(wrappedLabel(QStringLiteral("lbImaortant"), this))
{
    setObjectName(QStringLiteral("hddInformationView"));
    m_bays[0]->setObjectName(QStringLiteral("hdd0"));
    m_bays[1]->setObjectName(QStringLiteral("hdd1"));
    m_note->setTextFormat(Qt::RichText);
    m_important->setTextFormat(Qt::RichText);
    m_table->setObjectName(QStringLiteral("tableView"));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    QHeaderView *header = m_table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(Status, QHeaderView::Stretch);

    auto *bays = new QHBoxLayout;
    bays->addStretch();
    bays->addWidget(m_bays[0]);
    bays->addWidget(m_bays[1]);
    bays->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bays);
    layout->addWidget(m_note);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_important);

    connect(&m_view, &Setup_HddInformationView::changed, this, &HddTable::refresh);
    refresh();
}

void HddTable::refresh()
{
    for (int bay = 0; bay < 2; ++bay)
        m_bays[bay]->setPixmap(bayPicture(bay, m_view.bayHasDrive(bay)));
    const EmphasisedText note = m_view.lbNote();
    m_note->setText(emphasisedHtml(note.text, note.phrase) + QStringLiteral("<br>")
        + emphasisedHtml(m_view.lbRaidNote(), QString()));
    m_important->setText(
        QStringLiteral("<b>%1</b> %2")
            .arg(emphasisedHtml(m_view.lbImaortant(), QString()), emphasisedHtml(m_view.lbImportantText(), QString())));
    const QStringList titles {QString(), m_view.lbColumnBay(), QString(), QString(), QString()};
    m_table->setHorizontalHeaderLabels(titles);
    refreshRows();
}

void HddTable::refreshRows()
{
    const int rows = m_view.rowCount();
    m_table->setRowCount(rows);
    bool added = false;
    for (int row = 0; row < rows; ++row) {
        auto *button = qobject_cast<QCheckBox *>(m_table->cellWidget(row, Mark));
        if (!button) {
            button = new QCheckBox(m_table);
            button->setObjectName(QStringLiteral("btFormat%1").arg(row));
            connect(button, &QCheckBox::clicked, this, [this, row] { m_view.onButtonClicked(row); });
            m_table->setCellWidget(row, Mark, button);
            added = true;
        }
        const QSignalBlocker quiet(button);
        button->setChecked(m_view.rowChecked(row));
        // The button has no text of its own: it is read as its bay, with the drive.
        button->setAccessibleName(m_view.lbColumnBay() + QLatin1Char(' ') + m_view.rowBay(row));
        button->setAccessibleDescription(
            QStringList {m_view.rowProduct(row), m_view.rowCapacity(row), m_view.rowStatus(row)}.join(
                QStringLiteral(", ")));
        m_table->setItem(row, Bay, new QTableWidgetItem(m_view.rowBay(row)));
        m_table->setItem(row, Product, new QTableWidgetItem(m_view.rowProduct(row)));
        m_table->setItem(row, Capacity, new QTableWidgetItem(m_view.rowCapacity(row)));
        added = added || !m_table->cellWidget(row, Status);
        refreshStatus(row);
    }
    if (added)
        chainTabsInReadingOrder(*window());
    m_table->resizeRowsToContents();
}

void HddTable::refreshStatus(int row)
{
    QWidget *cell = m_table->cellWidget(row, Status);
    if (!cell) {
        cell = statusCell(row, m_table);
        connect(cell->findChild<QPushButton *>(), &QPushButton::clicked, this,
            [this, row] { m_view.onFormatClicked(row); });
        m_table->setCellWidget(row, Status, cell);
    }
    cell->findChild<QLabel *>(QStringLiteral("statusIcon"))->setPixmap(statusIcon(m_view.rowIcon(row)).pixmap(16, 16));
    cell->findChild<QLabel *>(QStringLiteral("lbStatus"))->setText(m_view.rowStatus(row));
    auto *format = cell->findChild<QPushButton *>();
    format->setText(m_view.btFormatTitle());
    format->setVisible(m_view.rowFormatVisible(row));
    format->setEnabled(m_view.rowFormatEnabled(row));
}
