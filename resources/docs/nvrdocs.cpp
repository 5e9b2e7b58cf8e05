// Renders a product document from its Markdown source into a PDF of the
// given page size, at build time:
//   nvrdocs SOURCE.md OUTPUT.pdf WIDTH_MM HEIGHT_MM
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "nvrdocs: %s\n", qPrintable(message));
    return 1;
}

// The first "# " line names the document in the PDF's properties.
QString titleOf(const QString &markdown)
{
    for (const QString &line : markdown.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("# ")))
            return line.mid(2).trimmed();
    }
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool widthOk = false;
    bool heightOk = false;
    const double width = args.value(3).toDouble(&widthOk);
    const double height = args.value(4).toDouble(&heightOk);
    if (args.size() != 5 || !widthOk || !heightOk || width < 50 || height < 50)
        return fail(QStringLiteral("usage: nvrdocs SOURCE.md OUTPUT.pdf WIDTH_MM HEIGHT_MM"));

    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args.at(1)));
    const QString markdown = QString::fromUtf8(source.readAll());

    // Small pages get a smaller body font and narrower margins.
    const bool small = width < 120;
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(small ? 7.5 : 10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);

    const QString partial = args.at(2) + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setTitle(titleOf(markdown));
        writer.setCreator(QStringLiteral("nvrwizard"));
        writer.setResolution(300);
        const double margin = small ? 7 : 20;
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Millimeter), QPageLayout::Portrait,
            QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
        // Laid out on the writer's own page so the margins above hold.
        document.documentLayout()->setPaintDevice(&writer);
        document.setDocumentMargin(0);
        document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
        document.print(&writer);
    }
    // A half-written document never replaces a good one.
    QFile::remove(args.at(2));
    if (!QFile::rename(partial, args.at(2)))
        return fail(QStringLiteral("cannot write %1").arg(args.at(2)));
    return 0;
}
