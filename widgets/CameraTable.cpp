#include "widgets/CameraTable.h"

#include "steps/Setup_SelectCamView.h"
#include "widgets/CameraImages.h"
#include "widgets/Controls.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum Column { Check, Number, Model, Address, Columns };
using Secured = Setup_SelectCamView::Secured;
constexpr Secured kStates[] = {Secured::Known, Secured::PasswordUnknown, Secured::NoPassword};
constexpr int kIcon = 16;
constexpr int kRowHeight = 34;
// The preview window's left edge, from the right end of the model cell.
constexpr int kPreviewInset = 130;

QLabel *iconLabel(const QIcon &icon, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(icon.pixmap(kIcon, kIcon));
    return label;
}

} // namespace

CameraTable::CameraTable(Setup_SelectCamView &list, QWidget *parent)
    : QWidget(parent)
    , m_list(list)
    , m_text(wrappedLabel(QStringLiteral("lbText"), this))
    , m_count(new QLabel(this))
    , m_table(new QTableWidget(0, Columns, this))
    , m_noDevice(wrappedLabel(QStringLiteral("textField"), this))
    , m_note(new QLabel(this))
    , m_tip(new QPushButton(this))
    , m_rescan(linkButton(QStringLiteral("lbRescan"), this))
{
    setObjectName(QStringLiteral("selectCamView"));
    m_count->setObjectName(QStringLiteral("lbCameraNum"));
    m_note->setObjectName(QStringLiteral("lbNote"));
    m_tip->setObjectName(QStringLiteral("btnTip"));
    m_tip->setText(QStringLiteral("?"));
    m_tip->setFixedSize(22, 22);
    m_tip->setCursor(Qt::PointingHandCursor);
    m_tip->setStyleSheet(QStringLiteral("QPushButton { padding: 0; border: 1px solid #2463a6; border-radius: 11px;"
                                        " color: #2463a6; font-weight: 600; background: white; }"
                                        " QPushButton:disabled { border-color: #9aa8b8; color: #9aa8b8; }"));
    m_table->setObjectName(QStringLiteral("tableView"));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setIconSize(QSize(18, 18));
    QHeaderView *header = m_table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(Model, QHeaderView::Stretch);
    m_noDevice->setAlignment(Qt::AlignCenter);
    m_noDevice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_noDevice->setStyleSheet(QStringLiteral("color: #b03a2e; font-weight: 600; padding: 6px;"));
    m_noDevice->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(m_text, 1);
    top->addWidget(m_count, 0, Qt::AlignBottom);
    // The label lies over the table, in the same cell.
    auto *tableBox = new QGridLayout;
    tableBox->addWidget(m_table, 0, 0);
    tableBox->addWidget(m_noDevice, 0, 0, Qt::AlignCenter);
    auto *legend = new QHBoxLayout;
    for (const Secured state : kStates) {
        legend->addWidget(iconLabel(securedImage(state), this));
        auto *text = new QLabel(this);
        m_legend << text;
        legend->addWidget(text);
        legend->addSpacing(12);
    }
    legend->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_note);
    bottom->addWidget(m_tip);
    bottom->addStretch();
    bottom->addWidget(m_rescan);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(tableBox, 1);
    layout->addLayout(legend);
    layout->addLayout(bottom);
    m_legend.at(0)->setObjectName(QStringLiteral("lbSecured"));
    m_legend.at(1)->setObjectName(QStringLiteral("lbUnsecured"));
    m_legend.at(2)->setObjectName(QStringLiteral("lbNoPassword"));

    connect(m_table, &QTableWidget::cellClicked, this,
        [this](int row, int column) { m_list.onChangeSelected(row, column); });
    // The arrow keys move along the rows; Space picks as a click on the check does.
    connect(new QShortcut(QKeySequence(Qt::Key_Space), m_table, nullptr, nullptr, Qt::WidgetShortcut),
        &QShortcut::activated, this, [this] {
            if (m_table->currentRow() < 0)
                return;
            m_list.onChangeSelected(m_table->currentRow(), Check);
            // A pick that waited for the camera can leave the focus on a row's
            // preview button, where the next Space would open the preview.
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus != m_table && m_table->isAncestorOf(focus))
                m_table->setFocus(Qt::OtherFocusReason);
        });
    connect(m_rescan, &QPushButton::clicked, this, [this] { m_list.onRescanClicked(); });
    connect(m_tip, &QPushButton::clicked, this, [this] { m_list.onTipClicked(); });
    connect(&m_list, &StepForm::changed, this, &CameraTable::refresh);
    refresh();
}

void CameraTable::showNoDevice(const QString &text, bool shown)
{
    m_noDevice->setText(text);
    m_noDevice->setVisible(shown);
}

void CameraTable::refresh()
{
    m_text->setText(m_list.lbText());
    m_table->setAccessibleName(m_list.lbText());
    m_count->setText(m_list.lbCameraNum());
    m_legend.at(0)->setText(m_list.lbSecured());
    m_legend.at(1)->setText(m_list.lbUnsecured());
    m_legend.at(2)->setText(m_list.lbNoPassword());
    m_note->setText(m_list.lbNote());
    m_rescan->setText(m_list.lbRescanTitle());
    for (int column = Check; column < Columns; ++column)
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(m_list.columnTitle(column)));
    m_table->setEnabled(m_list.inputsEnabled());
    m_tip->setEnabled(m_list.inputsEnabled());
    m_rescan->setEnabled(m_list.lbRescanEnabled());
    refreshRows();
}

void CameraTable::refreshRows()
{
    const int rows = m_list.rowCount();
    m_table->setRowCount(rows);
    const QColor text = palette().color(QPalette::Text);
    QColor dimmed = text;
    dimmed.setAlphaF(float(Setup_SelectCamView::kDimmedAlpha));
    for (int row = 0; row < rows; ++row) {
        const QColor colour = m_list.rowDimmed(row) ? dimmed : text;
        m_table->setItem(row, Check, new QTableWidgetItem(cameraListImage(m_list.rowCheckImage(row)), QString()));
        auto *number = new QTableWidgetItem(m_list.rowNumber(row));
        number->setForeground(colour);
        m_table->setItem(row, Number, number);
        auto *address = new QTableWidgetItem(m_list.rowIp(row));
        address->setForeground(colour);
        m_table->setItem(row, Address, address);
        refreshModelCell(row);
    }
}

// The model cell keeps its widgets across refreshes: a refresh may come from
// inside one of them.
void CameraTable::refreshModelCell(int row)
{
    QWidget *cell = m_table->cellWidget(row, Model);
    if (!cell) {
        cell = new QWidget(m_table);
        auto *mark = new QLabel(cell);
        mark->setObjectName(QStringLiteral("secured"));
        auto *model = new QLabel(cell);
        model->setObjectName(QStringLiteral("modalName"));
        auto *preview = new QToolButton(cell);
        preview->setObjectName(QStringLiteral("btnPreview"));
        preview->setIcon(cameraListImage(QString::fromLatin1(Setup_SelectCamView::imgPreviewOn)));
        preview->setIconSize(QSize(22, 17));
        preview->setAutoRaise(true);
        preview->setCursor(Qt::PointingHandCursor);
        // Queued: the preview runs its own loop, which must not start inside the click.
        connect(
            preview, &QToolButton::clicked, this, [this, row] { previewClicked(row); }, Qt::QueuedConnection);
        auto *layout = new QHBoxLayout(cell);
        layout->setContentsMargins(6, 0, 6, 0);
        layout->addWidget(mark);
        layout->addWidget(model);
        layout->addStretch();
        layout->addWidget(preview);
        m_table->setCellWidget(row, Model, cell);
    }
    cell->findChild<QLabel *>(QStringLiteral("secured"))
        ->setPixmap(securedImage(m_list.rowSecured(row)).pixmap(kIcon, kIcon));
    cell->findChild<QLabel *>(QStringLiteral("modalName"))->setText(m_list.rowModel(row));
    auto *preview = cell->findChild<QToolButton *>(QStringLiteral("btnPreview"));
    preview->setVisible(m_list.rowHasPreview(row));
    // An icon alone: read out as the camera it shows.
    preview->setAccessibleName(m_list.rowPreviewName(row));
}

void CameraTable::previewClicked(int row)
{
    const QRect cell = m_table->visualRect(m_table->model()->index(row, Model));
    const QPoint origin = m_table->viewport()->mapToGlobal(QPoint(cell.right() + 1 - kPreviewInset, cell.top()));
    m_list.inPreviewClicked(row, origin);
}
