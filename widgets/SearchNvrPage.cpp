#include "widgets/SearchNvrPage.h"

#include "steps/Setup_SearchNvrView.h"
#include "widgets/Controls.h"
#include "widgets/RichText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Mark, Number, Ip, Mac, Empty, Columns };

// The selected row's green mark and the other rows' white one.
QIcon radioIcon(bool on)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(on ? QColor(0x2e, 0x9e, 0x4f) : QColor(0x9a, 0xa8, 0xb8), 1.5));
    painter.setBrush(on ? QColor(0x3c, 0xc0, 0x63) : QColor(Qt::white));
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return QIcon(pixmap);
}

} // namespace

SearchNvrPage::SearchNvrPage(Setup_SearchNvrView &step, QWidget *parent)
    : StepPage(step, step.progressView(), parent, QStringLiteral("btRescan"))
    , m_step(step)
{
    setObjectName(QStringLiteral("searchNvrPage"));
    m_listBox = makeListBox();
    addContent(m_listBox);
    connect(leftButton(), &QPushButton::clicked, this, [this] { m_step.onRescanClicked(); });
    connect(backButton(), &QPushButton::clicked, this, [this] { m_step.onBackClicked(); });
    connect(nextButton(), &QPushButton::clicked, this, [this] { m_step.onNextClicked(); });
    connect(&m_step, &Setup_SearchNvrView::changed, this, &SearchNvrPage::refresh);
    refresh();
}

QWidget *SearchNvrPage::makeListBox()
{
    auto *box = new QWidget(this);
    box->setObjectName(QStringLiteral("selectNvrView"));
    m_text1 = wrappedLabel(QStringLiteral("lbText1"), box);
    m_text1->setTextFormat(Qt::RichText);
    m_table = new QTableWidget(0, Columns, box);
    m_table->setObjectName(QStringLiteral("tableView"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    // The mark shows the choice; the row highlight only accompanies it.
    QPalette palette = m_table->palette();
    palette.setColor(QPalette::Highlight, QColor(0xdc, 0xe9, 0xf7));
    palette.setColor(QPalette::HighlightedText, QColor(0x1f, 0x3b, 0x5c));
    m_table->setPalette(palette);
    QHeaderView *header = m_table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(Empty, QHeaderView::Stretch);
    m_noDevice = wrappedLabel(QStringLiteral("textField"), box);
    m_noDevice->setAlignment(Qt::AlignCenter);
    m_noDevice->setStyleSheet(QStringLiteral("color: #b03a2e; font-weight: 600; padding: 6px;"));
    m_diagnosis = diagnosisLabel(QStringLiteral("lbDiagnosis"), box);
    m_text2 = new QLabel(box);
    m_text2->setObjectName(QStringLiteral("lbText2"));
    m_listRescan = linkButton(QStringLiteral("btListRescan"), box);
    m_macHelp = linkButton(QStringLiteral("btMacAddress"), box);
    m_internetHelp = linkButton(QStringLiteral("btCheckNVRInternet"), box);

    // Two short lines rather than one long one: some languages need the room.
    auto *notListed = new QHBoxLayout;
    notListed->addWidget(m_text2);
    notListed->addWidget(m_listRescan);
    notListed->addStretch();
    auto *help = new QHBoxLayout;
    help->addWidget(m_macHelp);
    help->addWidget(m_internetHelp);
    help->addStretch();

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text1);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_noDevice);
    layout->addWidget(m_diagnosis);
    layout->addLayout(notListed);
    layout->addLayout(help);

    Setup_SelectNvrView &list = m_step.selectNvrView();
    connect(m_table, &QTableWidget::cellClicked, this, [this, &list](int row) {
        list.selectRow(row);
        refresh();
    });
    // The arrow keys choose as a click does; a click itself comes above.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this, &list](int row) {
        if (row < 0 || row == list.selectedRow() || QApplication::mouseButtons() != Qt::NoButton)
            return;
        list.selectRow(row);
        refresh();
    });
    connect(m_listRescan, &QPushButton::clicked, this, [this, &list] {
        list.onRescanClicked();
        refresh();
    });
    connect(m_macHelp, &QPushButton::clicked, this, [&list] { list.onMacAddresssClicked(); });
    connect(m_internetHelp, &QPushButton::clicked, this, [&list] { list.onCheckNVRInternetClicked(); });
    return box;
}

void SearchNvrPage::refresh()
{
    const Setup_SelectNvrView &list = m_step.selectNvrView();
    m_text1->setText(emphasisedHtml(list.lbText1().text, list.lbText1().phrase));
    m_table->setAccessibleName(m_step.lbTitle());
    m_table->setAccessibleDescription(list.lbText1().text);
    for (int column = Mark; column < Columns; ++column)
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(list.columnTitle(column)));
    m_noDevice->setText(m_step.noDeviceText());
    m_noDevice->setVisible(m_step.noDeviceLabelVisible());
    showDiagnosis(
        *m_diagnosis, m_step.noDeviceLabelVisible() ? m_step.noDeviceDiagnosisText() : list.selectedDiagnosisText());
    m_text2->setText(list.lbText2());
    m_listRescan->setText(list.btRescanTitle());
    m_macHelp->setText(list.btMacAddressTitle());
    m_internetHelp->setText(list.lbText3());
    m_listRescan->setEnabled(m_step.listControlsEnabled());
    m_macHelp->setEnabled(m_step.listControlsEnabled());

    showStep({m_step.lbTitle(), m_step.btBackTitle(), m_step.btNextTitle(), m_step.btBackEnabled(),
                 m_step.btNextEnabled(), m_step.btRescanTitle(), m_step.btRescanEnabled()},
        m_step.messageView(), m_listBox);
    refreshRows();
}

void SearchNvrPage::refreshRows()
{
    const Setup_SelectNvrView &list = m_step.selectNvrView();
    // Showing the choice is not making one.
    const QSignalBlocker quiet(m_table);
    const int rows = int(list.deviceList().size());
    m_table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        auto *mark = new QTableWidgetItem(radioIcon(row == list.selectedRow()), QString());
        m_table->setItem(row, Mark, mark);
        m_table->setItem(row, Number, new QTableWidgetItem(list.rowNumber(row)));
        auto *ip = new QTableWidgetItem(list.rowIp(row));
        // A recorder this computer cannot reach is marked before it is picked;
        // a warning (a recorder's wrong mask) is only told.
        if (list.rowDiagnosis(row).cannotReach())
            ip->setForeground(QColor(0xb0, 0x3a, 0x2e));
        ip->setToolTip(list.rowDiagnosisText(row));
        m_table->setItem(row, Ip, ip);
        m_table->setItem(row, Mac, new QTableWidgetItem(list.rowMac(row)));
    }
    if (list.selectedRow() >= 0)
        m_table->selectRow(list.selectedRow());
    else
        m_table->clearSelection();
}
