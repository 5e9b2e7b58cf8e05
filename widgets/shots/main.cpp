// nvrshots: renders named screens of the wizard to PNG files, built from the
// real widgets over the real controllers. Sends nothing on any network, but
// for the --lan screens, which search for recorders inside the network lab.
#include "core/Languages.h"
#include "widgets/WizardStyle.h"
#include "widgets/shots/ShotWorld.h"
#include "widgets/shots/Shots.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "nvrshots: " << message << '\n';
    return 2;
}

const Shot *findShot(const ShotList &shots, const QString &name)
{
    for (const Shot &shot : shots) {
        if (shot.name == name)
            return &shot;
    }
    return nullptr;
}

int auditShots(const QList<const Shot *> &chosen, const QString &language, bool searchesLan, QTextStream &console)
{
    int problems = 0;
    for (const Shot *shot : chosen) {
        ShotWorld world(language, searchesLan);
        shot->setUp(world);
        for (const QString &problem : world.accessProblems()) {
            console << shot->name << ": " << problem << '\n';
            ++problems;
        }
    }
    console << chosen.size() << " screens, " << problems << " problems\n";
    return problems == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyWizardStyle(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders screens of the setup wizard to NAME.png files."));
    parser.addHelpOption();
    const QCommandLineOption lang(QStringLiteral("lang"), QStringLiteral("Language code (EN, JP, RU, ...)."),
        QStringLiteral("code"), QStringLiteral("EN"));
    const QCommandLineOption out(
        QStringLiteral("out"), QStringLiteral("Folder for the PNG files."), QStringLiteral("dir"), QStringLiteral("."));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the screens and exit."));
    const QCommandLineOption lan(QStringLiteral("lan"),
        QStringLiteral("Only the screens that search the LAN for recorders (run it inside the network lab)."));
    const QCommandLineOption audit(QStringLiteral("audit"),
        QStringLiteral("Instead of pictures, list the controls that have no accessible name or that Tab never "
                       "reaches; exit with 1 when there is one."));
    parser.addOptions({lang, out, list, lan, audit});
    parser.addPositionalArgument(
        QStringLiteral("name"), QStringLiteral("Screens to render (all when none)."), QStringLiteral("[NAME...]"));
    parser.process(app);

    // Nothing but the --lan screens may search: the others run anywhere.
    const bool searchesLan = parser.isSet(lan);
    const ShotList &shots = searchesLan ? lanShots() : allShots();

    QTextStream console(stdout);
    if (parser.isSet(list)) {
        for (const Shot &shot : shots)
            console << shot.name << '\t' << shot.about << '\n';
        return 0;
    }

    const QString language = parser.value(lang);
    if (Languages::indexOf(language) < 0)
        return fail(QStringLiteral("unknown language %1").arg(language));

    QList<const Shot *> chosen;
    if (parser.positionalArguments().isEmpty()) {
        for (const Shot &shot : shots)
            chosen.append(&shot);
    }
    for (const QString &name : parser.positionalArguments()) {
        const Shot *shot = findShot(shots, name);
        if (!shot)
            return fail(QStringLiteral("no screen named %1 (see --list)").arg(name));
        chosen.append(shot);
    }

    if (parser.isSet(audit))
        return auditShots(chosen, language, searchesLan, console);

    const QDir dir(parser.value(out));
    if (!QDir().mkpath(dir.path()))
        return fail(QStringLiteral("cannot create %1").arg(dir.path()));
    for (const Shot *shot : chosen) {
        ShotWorld world(language, searchesLan);
        shot->setUp(world);
        const QString file = dir.filePath(shot->name + QStringLiteral(".png"));
        if (!world.render().save(file))
            return fail(QStringLiteral("cannot write %1").arg(file));
        console << file << '\n';
    }
    return 0;
}
