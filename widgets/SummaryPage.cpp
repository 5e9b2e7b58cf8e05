#include "widgets/SummaryPage.h"

#include "app/SummaryView.h"
#include "widgets/Controls.h"
#include "widgets/LeftStepList.h"
#include "widgets/RichText.h"
#include "widgets/StepImages.h"
#include "widgets/WizardStyle.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QLabel *heading(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

QLabel *value(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

SummaryPage::SummaryPage(SummaryView &summary, QWidget *parent)
    : QWidget(parent)
    , m_summary(summary)
    , m_title(wrappedLabel(QStringLiteral("lbTitle"), this))
    , m_text1(wrappedLabel(QStringLiteral("lbText1"), this))
    , m_recorderTitle(heading(QStringLiteral("lbRecorder"), this))
    , m_recorder(new QGridLayout)
    , m_cloudTitle(heading(QStringLiteral("lbCloud"), this))
    , m_mailLabel(new QLabel(this))
    , m_mail(value(QStringLiteral("edMail"), this))
    , m_cloudPassLabel(new QLabel(this))
    , m_cloudPass(value(QStringLiteral("edNimboraPass"), this))
    , m_camerasTitle(heading(QStringLiteral("lbCameras"), this))
    , m_cameras(new QVBoxLayout)
    , m_cameraScroll(new QScrollArea(this))
    , m_check(new QCheckBox(this))
    , m_shortcutError(wrappedLabel(QStringLiteral("lbShortcutError"), this))
    , m_reportSaved(wrappedLabel(QStringLiteral("lbReportSaved"), this))
    , m_gotoNvr(new QPushButton(this))
    , m_saveReport(new QPushButton(this))
    , m_finish(new QPushButton(this))
{
    setObjectName(QStringLiteral("summaryPage"));
    m_text1->setTextFormat(Qt::RichText);
    m_check->setObjectName(QStringLiteral("btCheck"));
    setStyleState(*m_shortcutError, "error", true);
    m_shortcutError->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reportSaved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_gotoNvr->setObjectName(QStringLiteral("btGotoNvr"));
    m_saveReport->setObjectName(QStringLiteral("btSaveReport"));
    m_finish->setObjectName(QStringLiteral("btFinish"));
    m_finish->setDefault(true);

    m_recorder->setHorizontalSpacing(12);
    m_recorder->setVerticalSpacing(4);
    auto *cloud = new QGridLayout;
    cloud->setHorizontalSpacing(12);
    cloud->setVerticalSpacing(4);
    cloud->addWidget(m_mailLabel, 0, 0);
    cloud->addWidget(m_mail, 0, 1);
    cloud->addWidget(m_cloudPassLabel, 1, 0);
    cloud->addWidget(m_cloudPass, 1, 1);
    cloud->setColumnStretch(1, 1);

    // The cameras pack into a scrolling list: hidden slots leave no gaps.
    auto *cameraList = new QWidget;
    cameraList->setObjectName(QStringLiteral("cameraList"));
    cameraList->setLayout(m_cameras);
    m_cameras->setContentsMargins(0, 0, 0, 0);
    m_cameras->setSpacing(4);
    m_cameraScroll->setWidget(cameraList);
    m_cameraScroll->setWidgetResizable(true);
    m_cameraScroll->setFrameShape(QFrame::NoFrame);
    // The page's own background shows through.
    m_cameraScroll->viewport()->setAutoFillBackground(false);
    cameraList->setAutoFillBackground(false);

    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(m_recorderTitle);
    left->addLayout(m_recorder);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(m_cloudTitle);
    right->addLayout(cloud);
    right->addSpacing(8);
    right->addWidget(m_camerasTitle);
    right->addWidget(m_cameraScroll, 1);
    right->addStretch();
    auto *details = new QHBoxLayout;
    details->setSpacing(32);
    details->addLayout(left, 1);
    details->addLayout(right, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_gotoNvr);
    buttons->addWidget(m_saveReport);
    buttons->addStretch();
    buttons->addWidget(m_finish);

    auto *layout = new QVBoxLayout;
    layout->setContentsMargins(32, 20, 32, 20);
    layout->setSpacing(10);
    layout->addWidget(new StepImages(summary.progressView(), this));
    layout->addWidget(m_title);
    layout->addWidget(m_text1);
    layout->addLayout(details, 1);
    layout->addWidget(m_check);
    layout->addWidget(m_shortcutError);
    layout->addWidget(m_reportSaved);
    layout->addLayout(buttons);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(new LeftStepList(summary.leftStepViewController(), summary.context().localization, this));
    row->addLayout(layout, 1);

    connect(m_check, &QCheckBox::clicked, &summary, &SummaryView::onCheck);
    connect(m_gotoNvr, &QPushButton::clicked, &summary, &SummaryView::onGotoNvrClicked);
    connect(m_saveReport, &QPushButton::clicked, &m_summary, &SummaryView::onSaveReportClicked);
    connect(m_finish, &QPushButton::clicked, &summary, &SummaryView::onFinishClicked);
    connect(&summary, &SummaryView::changed, this, &SummaryPage::refresh);
    refresh();
}

void SummaryPage::refresh()
{
    m_title->setText(m_summary.lbTitle());
    m_text1->setText(emphasisedHtml(m_summary.lbText1().text, m_summary.lbText1().phrase));
    m_recorderTitle->setText(m_summary.lbRecorderTitle());
    m_cloudTitle->setText(m_summary.lbCloudTitle());
    m_camerasTitle->setText(m_summary.lbCamerasTitle());

    while (QLayoutItem *item = m_recorder->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QList<SummaryView::Row> rows {{m_summary.lbPassTitle(), m_summary.edPass()}};
    rows += m_summary.networkRows();
    for (int i = 0; i < rows.size(); ++i) {
        QLabel *shown = value(i == 0 ? QStringLiteral("edPass") : QStringLiteral("lbNetwork%1").arg(i), this);
        shown->setText(rows.at(i).value);
        m_recorder->addWidget(new QLabel(rows.at(i).title, this), i, 0);
        m_recorder->addWidget(shown, i, 1);
    }
    m_recorder->setColumnStretch(1, 1);

    m_mailLabel->setText(m_summary.lbMailTitle());
    m_mail->setText(m_summary.edMail());
    m_cloudPassLabel->setText(m_summary.lbPassTitle());
    m_cloudPass->setText(m_summary.edNimboraPass());
    for (QWidget *w : std::initializer_list<QWidget *> {m_mailLabel, m_mail})
        w->setVisible(m_summary.edMailVisible());
    for (QWidget *w : std::initializer_list<QWidget *> {m_cloudPassLabel, m_cloudPass})
        w->setVisible(m_summary.edNimboraPassVisible());
    m_cloudTitle->setVisible(m_summary.edMailVisible() || m_summary.edNimboraPassVisible());
    showCameras();

    m_check->setText(m_summary.btCheckTitle());
    m_check->setChecked(m_summary.btCheck());
    m_check->setEnabled(m_summary.btCheckEnabled());
    m_shortcutError->setText(m_summary.lbShortcutError());
    m_shortcutError->setVisible(!m_summary.lbShortcutError().isEmpty());
    m_reportSaved->setText(m_summary.lbReportSaved());
    m_reportSaved->setVisible(!m_summary.lbReportSaved().isEmpty());
    m_gotoNvr->setText(m_summary.btGotoNvrTitle());
    m_gotoNvr->setEnabled(m_summary.device() != nullptr);
    m_saveReport->setText(m_summary.btSaveReportTitle());
    m_saveReport->setEnabled(m_summary.btSaveReportEnabled());
    m_finish->setText(m_summary.btFinishTitle());
}

void SummaryPage::showCameras()
{
    while (QLayoutItem *item = m_cameras->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QStringList cameras = m_summary.cameras();
    for (int i = 0; i < cameras.size(); ++i) {
        auto *camera = value(QStringLiteral("lbCamera%1").arg(i + 1), this);
        camera->setText(QStringLiteral("\u203A %1").arg(cameras.at(i)));
        m_cameras->addWidget(camera);
    }
    m_cameras->addStretch();
    m_camerasTitle->setVisible(!cameras.isEmpty());
    m_cameraScroll->setVisible(!cameras.isEmpty());
}
