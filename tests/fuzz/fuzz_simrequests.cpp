// libFuzzer target: whatever bytes a client sends the simulator's HTTPS
// servers, the request reader, the recorder's /config/ interface and the
// portal's forms answer without crashing, with a status line of their own.
#include "FuzzSupport.h"
#include "sim/core/SimLog.h"
#include "sim/core/SimState.h"
#include "sim/web/SimCloudPortal.h"
#include "sim/web/SimWebConfig.h"

namespace {

SimScenario scenario()
{
    SimRecorder recorder;
    recorder.mac = QStringLiteral("00:1c:27:00:00:01");
    recorder.ip = QStringLiteral("192.0.2.10");
    recorder.password = QStringLiteral("pw");
    recorder.factory = false;
    recorder.web = SimWebScenario::defaults(recorder.ip);
    recorder.web.cameras << SimCamera {};
    SimScenario s;
    s.recorders << recorder;
    s.portal.enabled = true;
    s.portal.accounts << SimAccount {
        QStringLiteral("a@b.example"), QStringLiteral("pw"), {}, {}, QStringLiteral("k"), {}};
    return s;
}

} // namespace

NVR_FUZZ_TARGET(bytes)
{
    static SimLog *const log = [] {
        auto *l = new SimLog;
        QString ignored;
        l->open(QStringLiteral("/dev/null"), &ignored);
        return l;
    }();
    // Fresh state per input, so that no input depends on the ones before.
    SimState state(scenario(), QString());
    SimWebConfig web(state, *log, 0.0);
    SimCloudPortal portal(state, *log);
    const QHostAddress local(QStringLiteral("192.0.2.10"));

    QByteArray buffer = bytes;
    SimHttpParser parser;
    for (int i = 0; i < 64; ++i) {
        SimHttpRequest request;
        const qsizetype before = buffer.size();
        const SimHttpParser::Result result = parser.take(buffer, &request);
        if (result != SimHttpParser::Result::Complete) {
            FUZZ_REQUIRE(result == SimHttpParser::Result::NeedMore || parser.errorStatus() >= 400);
            break;
        }
        FUZZ_REQUIRE(buffer.size() < before);
        for (const SimHttpResponse &response : {web.answer(request, local), portal.answer(request, local)})
            FUZZ_REQUIRE(response.status >= 200 && response.status < 600);
    }
}
