#include "widgets/TimeZonePicker.h"

#include "steps/Setup_TimeZoneContentView.h"
#include "widgets/Controls.h"
#include "widgets/KeyboardUse.h"
#include "widgets/WizardStyle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFieldWidth = 460;
constexpr int kVisibleRows = 6;

} // namespace

TimeZonePicker::TimeZonePicker(Setup_TimeZoneContentView &picker, QWidget *parent)
    : QWidget(parent)
    , m_picker(picker)
    , m_text1(wrappedLabel(QStringLiteral("lbText1"), this))
    , m_zone(new QPushButton(this))
    , m_auto(new QCheckBox(this))
    , m_text2(wrappedLabel(QStringLiteral("lbText2"), this))
    , m_search(new QLineEdit(this))
    , m_list(new QListWidget(this))
    , m_error(wrappedLabel(QStringLiteral("lbError"), this))
{
    setObjectName(QStringLiteral("timeZoneView"));
    m_zone->setObjectName(QStringLiteral("btTimeZone"));
    m_zone->setCheckable(true);
    m_zone->setFixedWidth(kFieldWidth);
    // Left-aligned like a field, with the drop-down mark at its right end.
    m_zone->setStyleSheet(QStringLiteral("text-align: left; padding-left: 10px;"));
    auto *mark = new QLabel(QStringLiteral("\u25BE"), m_zone);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    mark->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *markRow = new QHBoxLayout(m_zone);
    markRow->setContentsMargins(0, 0, 10, 0);
    markRow->addStretch();
    markRow->addWidget(mark);
    m_auto->setObjectName(QStringLiteral("autoTimeZone"));
    m_search->setObjectName(QStringLiteral("edTimeZone"));
    m_search->setFixedWidth(kFieldWidth);
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("timeZoneListTableView"));
    m_list->setFixedWidth(kFieldWidth);
    m_list->setUniformItemSizes(true);
    m_list->setFixedHeight(m_list->fontMetrics().height() * kVisibleRows + 12);
    setStyleState(*m_error, "error", true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_text1);
    layout->addWidget(m_zone);
    layout->addWidget(m_auto);
    layout->addSpacing(6);
    layout->addWidget(m_text2);
    layout->addWidget(m_search);
    layout->addWidget(m_list);
    layout->addWidget(m_error);
    layout->addStretch();

    connect(m_zone, &QPushButton::clicked, &picker, &Setup_TimeZoneContentView::btTimeZoneClicked);
    connect(m_auto, &QCheckBox::clicked, &picker, &Setup_TimeZoneContentView::autosetTimeZone);
    connect(m_search, &QLineEdit::textEdited, &picker, &Setup_TimeZoneContentView::controlTextDidChange);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { pickRow(m_list->row(item)); });
    for (QWidget *keys : std::initializer_list<QWidget *> {m_zone, m_search, m_list})
        keys->installEventFilter(this);
    connect(&picker, &Setup_TimeZoneContentView::scrollToFirstRow, m_list, &QListWidget::scrollToTop);
    connect(&picker, &Setup_TimeZoneContentView::changed, this, &TimeZonePicker::refresh);
    refresh();
}

void TimeZonePicker::mousePressEvent(QMouseEvent *event)
{
    m_picker.mouseDown();
    QWidget::mousePressEvent(event);
}

bool TimeZonePicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_picker.dropDownVisible())
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return dropDownKey(watched, key->key());
}

bool TimeZonePicker::dropDownKey(QObject *watched, int key)
{
    const bool fromList = watched == m_list;
    switch (key) {
    case Qt::Key_Escape:
        m_picker.mouseDown();
        m_zone->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Down:
        if (watched != m_search || m_list->count() == 0)
            return false;
        if (m_list->currentRow() < 0)
            m_list->setCurrentRow(0);
        m_list->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Space:
        if (!fromList)
            return false;
        Q_FALLTHROUGH();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched == m_zone || m_list->count() == 0)
            return false;
        // From the search field: the highlighted match, else the first.
        pickRow(std::max(m_list->currentRow(), 0));
        return true;
    default:
        return false;
    }
}

void TimeZonePicker::pickRow(int row)
{
    m_picker.tableViewClicked(row);
    // The list closed under the focus, which Qt handed on to Back: it goes
    // where Return goes on instead, Next, or the zone button while Next is off.
    if (!focusDefaultButton(*this))
        m_zone->setFocus(Qt::OtherFocusReason);
}

void TimeZonePicker::refresh()
{
    m_text1->setText(m_picker.lbText1());
    m_text2->setText(m_picker.lbText2());
    m_auto->setText(m_picker.lbAutoTimeZoneDescription());
    // "(US & Canada)": a single "&" would be taken for a shortcut mark.
    m_zone->setText(QString(m_picker.btTimeZoneTitle()).replace(QLatin1Char('&'), QStringLiteral("&&")));
    m_zone->setToolTip(m_picker.btTimeZoneTitle());
    m_zone->setAccessibleDescription(m_picker.lbText1());
    m_search->setAccessibleName(m_picker.lbText2());
    m_list->setAccessibleName(m_picker.lbText1());
    m_zone->setChecked(m_picker.btTimeZoneOn());
    m_auto->setChecked(m_picker.autoTimeZone());
    // Writing the text back only when it differs keeps the cursor where the user types.
    if (m_search->text() != m_picker.edTimeZone())
        m_search->setText(m_picker.edTimeZone());
    m_error->setVisible(m_picker.lbErrorVisible() && !m_error->text().isEmpty());
    m_list->setVisible(m_picker.dropDownVisible());
    refreshRows();
    setEnabled(m_picker.inputsEnabled());
}

void TimeZonePicker::refreshRows()
{
    const QStringList &rows = m_picker.timeZoneListDisplayedRows();
    QStringList shown;
    for (int row = 0; row < m_list->count(); ++row)
        shown << m_list->item(row)->text();
    if (shown != rows) {
        m_list->clear();
        m_list->addItems(rows);
    }
    // The zone on the button stands out in the list.
    m_list->setCurrentRow(int(rows.indexOf(m_picker.btTimeZoneTitle())));
}
