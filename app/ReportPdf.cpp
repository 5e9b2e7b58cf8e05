#include "app/ReportPdf.h"

#include "app/PdfTextLayer.h"
#include "app/SetupReport.h"
#include "core/HMLocalization.h"
#include "core/TextFormat.h"
#include "platform/FileLock.h"
#include "platform/ModelName.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// Every value comes from a recorder, a camera or the user: text, never markup.
QString cell(const QString &value, const char *tag = "td")
{
    const QString shown = value.isEmpty() ? QStringLiteral("\u2014") : value.toHtmlEscaped();
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), shown);
}

class ReportHtml
{
public:
    ReportHtml(const SetupReport &report, const HMLocalization &l10n)
        : r(report)
        , l10n(l10n)
    {
    }

    QString build()
    {
        html += QStringLiteral("<html><body><h1>%1</h1>")
                    .arg(fillFormat(text("Report_Title"), {ModelName::kNvr}).toHtmlEscaped());
        rows({{text("Report_Date"), r.date.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
            {text("Report_Version"), QStringLiteral("V%1").arg(r.version)}});
        heading("Summary_Recorder");
        rows({{text("Report_Model"), r.model}, {text("Report_MAC"), r.mac}, {text("Summary_IP"), r.ip},
            {text("Report_Firmware"), r.firmware}, {text("Summary_Connection"), connectionTypeText(r.dhcp, l10n)},
            {text("Report_Administrator"), r.administrator}});
        heading("SetupTimeZone_Title");
        html
            += QStringLiteral("<p>%1</p>").arg(r.timeZone.isEmpty() ? text("Report_None") : r.timeZone.toHtmlEscaped());
        disks();
        cameras();
        heading("SetupNimbora_Title");
        rows({{text("Report_DeviceNumber"), r.deviceNumber}, {text("E-mail:"), r.email},
            {text("Report_Registered"), yesNo(r.registered)}});
        return html + QStringLiteral("</body></html>");
    }

private:
    QString text(const char *key) const { return l10n.localizedStringForKey(QString::fromLatin1(key)); }
    QString yesNo(bool yes) const { return text(yes ? "Report_Yes" : "Report_No"); }
    void heading(const char *key) { html += QStringLiteral("<h2>%1</h2>").arg(text(key).toHtmlEscaped()); }

    void rows(const QList<QPair<QString, QString>> &captioned)
    {
        html += QStringLiteral("<table cellpadding='2'>");
        for (const auto &[caption, value] : captioned)
            html += QStringLiteral("<tr><th align='left'>%1</th>%2</tr>").arg(caption.toHtmlEscaped(), cell(value));
        html += QStringLiteral("</table>");
    }

    // A table with its header row, or "None" when it has no rows.
    void table(const QStringList &header, const QList<QStringList> &body)
    {
        if (body.isEmpty()) {
            html += QStringLiteral("<p>%1</p>").arg(text("Report_None").toHtmlEscaped());
            return;
        }
        html += QStringLiteral("<table border='1' cellspacing='0' cellpadding='3'><tr>");
        for (const QString &title : header)
            html += cell(title, "th");
        html += QStringLiteral("</tr>");
        for (const QStringList &line : body) {
            html += QStringLiteral("<tr>");
            for (const QString &value : line)
                html += cell(value);
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
    }

    void disks()
    {
        heading("SetupHdd_Title_260A");
        QList<QStringList> body;
        for (const SetupReport::Disk &disk : r.disks)
            body << QStringList {QString::number(disk.bay), disk.product, disk.size, yesNo(disk.formatted)};
        table({text("Report_Bay"), text("Report_Product"), text("Report_Size"), text("Report_Formatted")}, body);
    }

    void cameras()
    {
        heading("SetupCam_Title");
        QList<QStringList> body;
        for (const SetupReport::Camera &camera : r.cameras)
            body << QStringList {QString::number(camera.channel), camera.model, camera.ip, camera.mac};
        table({text("Report_Channel"), text("SetupCam_Modal Name"), text("APP_IP Address"), text("APP_MAC Address")},
            body);
    }

    const SetupReport &r;
    const HMLocalization &l10n;
    QString html;
};

// Two signing lines side by side, captions below, kept together on a page.
void drawSignatures(QPainter &painter, QPdfWriter &writer, qreal top, const QStringList &captions)
{
    const qreal width = writer.width() - 2 * painter.transform().dx();
    const qreal space = painter.fontMetrics().height() * 4; // room to sign above the line
    const qreal height = space + painter.fontMetrics().height() * 2;
    if (top + height > writer.height()) {
        writer.newPage();
        top = 0;
    }
    const qreal lineWidth = width * 0.42;
    for (int i = 0; i < captions.size(); ++i) {
        const qreal left = i * width * 0.55;
        painter.drawLine(QPointF(left, top + space), QPointF(left + lineWidth, top + space));
        painter.drawText(QRectF(left, top + space, lineWidth, height - space),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, captions.at(i));
    }
}

// Lays the document out on the writer's pages, then the signatures after it.
void paintReport(QPdfWriter &writer, const QString &html, const QStringList &signatures)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setHtml(html);
    const QSizeF page(writer.width(), writer.height());
    document.setPageSize(page);
    QPainter painter(&writer);
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
    }
    painter.setFont(document.defaultFont());
    // In line with the text, which stands inside the document's margin.
    painter.translate(document.documentMargin(), 0);
    const qreal used = document.documentLayout()->documentSize().height() - (pages - 1) * page.height();
    drawSignatures(painter, writer, used, signatures);
}

} // namespace

bool writeReportPdf(const SetupReport &report, const HMLocalization &l10n, const QString &path, QString *error)
{
    // Runs side by side may write into one report folder.
    const FileLock lock(path);
    if (!lock.error().isEmpty()) {
        *error = lock.error();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&written);
        writer.setTitle(fillFormat(l10n.localizedStringForKey(QStringLiteral("Report_Title")), {ModelName::kNvr}));
        writer.setCreator(QStringLiteral("%1 Setup Wizard V%2").arg(ModelName::kNvr, report.version));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        paintReport(writer, ReportHtml(report, l10n).build(),
            {l10n.localizedStringForKey(QStringLiteral("Report_Installer")),
                l10n.localizedStringForKey(QStringLiteral("Report_Customer"))});
    }
    // Chinese and Japanese text must read back as written, for search and copy.
    if (file.write(withIdeographsInTextLayer(written.data())) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
