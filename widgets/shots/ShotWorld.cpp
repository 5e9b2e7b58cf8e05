#include "widgets/shots/ShotWorld.h"

#include "app/WelcomeView.h"
#include "core/DialogController.h"
#include "core/HMLocalization.h"
#include "core/Languages.h"
#include "widgets/AccessAudit.h"
#include "widgets/DialogLayout.h"
#include "widgets/MainWindow.h"
#include "widgets/RegisterWidgets.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>

ShotWorld::ShotWorld(const QString &language, bool searchesLan)
    : m_context {m_notifications, HMLocalization::sharedInstance(), m_modal, m_urls, UserFolders::fromEnvironment(),
        searchesLan}
    , m_shell(m_context)
{
    registerAllWidgets(m_factory);
    m_window = new MainWindow(m_shell, m_context, m_factory);
    m_modal.setMainWindow(m_window);
    m_window->show();
    m_shell.awakeFromNib();
    // The language as a person picks it: from the welcome page's list.
    m_shell.contentWelcomViewController().lanTableViewClicked(Languages::indexOf(language));
}

ShotWorld::~ShotWorld()
{
    delete m_window;
}

void ShotWorld::show(std::unique_ptr<DialogController> dialog)
{
    QDialog *window = m_factory.makeDialog(*dialog, m_window);
    m_modal.setDimming(dialog->dimming());
    dialog->windowDidLoad();
    if (window) {
        fitToContents(*window);
        // Placed as the window's modal host places it.
        m_dialogPlaced = dialog->placement().has_value();
        if (m_dialogPlaced)
            WidgetModalHost::place(*window, *dialog, m_window);
        window->show();
        m_dialogWindow = window;
    }
    m_dialogs.push_back(std::move(dialog));
}

void ShotWorld::showAlone(QWidget *page)
{
    m_alone.reset(page);
    page->resize(m_window->width() - 150, m_window->height() - 130);
    page->show();
}

void ShotWorld::waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(20);
    if (!done())
        loop.exec();
}

namespace {

// Layouts and style sheets settle over a few event-loop turns.
void settle()
{
    for (int turn = 0; turn < 3; ++turn)
        QApplication::processEvents();
}

} // namespace

QDialog *ShotWorld::openDialog() const
{
    if (m_dialogWindow)
        return m_dialogWindow.data();
    if (QDialog *alert = m_modal.openAlert())
        return alert;
    return m_modal.openFloating();
}

void ShotWorld::closeAlert()
{
    delete m_modal.openAlert();
}

QImage ShotWorld::render()
{
    settle();
    if (m_alone)
        return m_alone->grab().toImage();
    QPixmap picture = m_window->grab();
    QPainter painter(&picture);
    const QPointer<QDialog> dialog = m_dialogWindow ? m_dialogWindow.data() : m_modal.openFloating();
    if (dialog) {
        // Where the dialog asked to be, or centred like the window's own dialogs.
        const QSize size = dialog->size();
        const QPoint origin = dialog == m_dialogWindow && !m_dialogPlaced
            ? QPoint((m_window->width() - size.width()) / 2, (m_window->height() - size.height()) / 2)
            : dialog->pos() - m_window->pos();
        drawWindow(painter, *dialog, origin, false);
    }
    // An alert is a window of its own, with the title bar a desktop gives it.
    if (QDialog *alert = m_modal.openAlert()) {
        QPoint origin = alert->pos() - m_window->pos();
        if (dialog && dialog == m_dialogWindow && !m_dialogPlaced)
            origin += QPoint((m_window->width() - dialog->width()) / 2, (m_window->height() - dialog->height()) / 2)
                - (dialog->pos() - m_window->pos());
        drawWindow(painter, *alert, origin, true);
    }
    return picture.toImage();
}

void ShotWorld::drawWindow(QPainter &painter, QWidget &window, const QPoint &origin, bool titleBar)
{
    const QColor frame(0x1f, 0x3b, 0x5c);
    QRect outline(origin, window.size());
    if (titleBar) {
        const int height = painter.fontMetrics().height() + 8;
        const QRect bar(origin - QPoint(0, height), QSize(window.width(), height));
        painter.fillRect(bar, frame);
        painter.setPen(Qt::white);
        painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
        outline.setTop(bar.top());
    }
    painter.drawPixmap(origin, window.grab());
    painter.setPen(frame);
    painter.drawRect(QRectF(outline).adjusted(-0.5, -0.5, 0.5, 0.5));
}

QStringList ShotWorld::accessProblems()
{
    settle();
    QStringList problems = ::accessProblems(m_alone ? *m_alone : static_cast<QWidget &>(*m_window));
    if (QDialog *open = openDialog())
        problems << ::accessProblems(*open);
    return problems;
}
