#include "app/main/CommandLine.h"

#include "app/batch/BatchMode.h"
#include "app/headless/HeadlessMode.h"
#include "platform/ModelName.h"
#ifdef NVR_WITH_WIDGETS
#include "widgets/WindowMode.h"
#endif

#include <cstdio>
#include <cstring>

namespace {

const char kCheck[] = "--check";

const char kUsage[] = "Usage: nvrwizard [MODE]\n"
                      "Sets up a HRX-540A network video recorder on this computer's network.\n"
                      "\n"
                      "Modes:\n"
                      "  (none)                  the wizard in a window\n"
                      "  --headless ANSWERS.json walks the wizard with the answers in the file; progress on\n"
                      "                          standard error, a JSON summary on standard output\n"
                      "  --headless ANSWERS.json --check\n"
                      "                          only reads the recorder and says what a run would change\n"
                      "  --batch PLAN.json [--jobs N] [--csv FILE]\n"
                      "                          sets up the plan's recorders, N at a time (default 4), each\n"
                      "                          by a headless run; a line per recorder and step on standard\n"
                      "                          error, a JSON result on standard output, a CSV table in FILE\n"
                      "  --config CODE --nvr IP --user USER [--password-file FILE] [--lang EN]\n"
                      "                          one read-only recorder command (2 disks, 5 cloud portal,\n"
                      "                          6 cloud account, 8 cameras, 17 date and time, 19 time-zone\n"
                      "                          list); the password from FILE or standard input\n"
                      "  --search                one recorder search as the wizard's first step; one line per\n"
                      "                          recorder: row, IP, MAC, web port, firmware (tab-separated);\n"
                      "                          exit 3 when none answered, 4 on a network error\n"
                      "  --help                  this text\n"
                      "  --version               the program version\n"
                      "\n"
                      "Exit codes: 0 done, 1 the wizard could not finish (--batch: some recorder), 2 bad\n"
                      "arguments, answers or plan, 3 --check: something would change, 130 --batch\n"
                      "interrupted.\n";

int runWindow(int argc, char *argv[])
{
#ifdef NVR_WITH_WIDGETS
    return runWindowMode(argc, argv);
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    std::fputs("nvrwizard: built without the window; use --headless, --search or --config\n", stderr);
    return 2;
#endif
}

} // namespace

int runCommandLine(int argc, char *argv[])
{
    if (argc < 2 || std::strncmp(argv[1], "--", 2) != 0 || std::strcmp(argv[1], "--") == 0)
        return runWindow(argc, argv);

    const char *mode = argv[1];
    if (std::strcmp(mode, "--help") == 0 || std::strcmp(mode, "-h") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (std::strcmp(mode, "--version") == 0) {
        std::printf("nvrwizard %s\n", ModelName::kProgramVersion.toUtf8().constData());
        return 0;
    }
    if (std::strcmp(mode, "--headless") == 0) {
        // --check may stand before or after the answers file.
        const bool survey = argc == 4 && (std::strcmp(argv[2], kCheck) == 0 || std::strcmp(argv[3], kCheck) == 0);
        if (argc != 3 && !survey) {
            std::fputs(
                "nvrwizard: --headless needs exactly one answers file, and --check or nothing beside it\n", stderr);
            return 2;
        }
        return runHeadlessMode(argc, argv, std::strcmp(argv[2], kCheck) == 0 ? argv[3] : argv[2], survey);
    }
    if (std::strcmp(mode, "--batch") == 0)
        return runBatchMode(argc, argv);
    if (std::strcmp(mode, "--search") == 0) {
        if (argc != 2) {
            std::fputs("nvrwizard: --search takes no arguments\n", stderr);
            return 2;
        }
        return runSearchMode(argc, argv);
    }
    if (std::strcmp(mode, "--config") == 0)
        return runConfigMode(argc, argv);
    // Options Qt itself understands (-platform, -style ...) go to the window.
    if (std::strncmp(mode, "--", 2) == 0 && std::strchr(mode, '=') == nullptr) {
        std::fprintf(stderr, "nvrwizard: unknown mode %s\n\n%s", mode, kUsage);
        return 2;
    }
    return runWindow(argc, argv);
}
