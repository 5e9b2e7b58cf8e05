// Rewrites one property list over and over, alternating two contents, until
// killed or done: "begin" before each write, "done" after it.
#include "platform/PropertyList.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString path = args[1];
    const int entries = args[2].toInt();
    QVariantList contents[2];
    for (int i = 0; i < entries; ++i) {
        contents[0].append(QVariantMap {{QStringLiteral("old"), QStringLiteral("entry %1").arg(i)}});
        contents[1].append(QVariantMap {{QStringLiteral("new"), QByteArray(64, char(i))}});
    }
    for (int round = 0; round < 100000; ++round) {
        std::printf("begin\n");
        std::fflush(stdout);
        const QString error = PropertyList::writeFile(path, contents[round % 2]);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("done\n");
        std::fflush(stdout);
    }
    return 0;
}
