#include "protocol/LanProtocol.h"
#include "protocol/LandapRequest.h"
#include "util/UtilMethod.h"

#include <QtTest>

namespace {

TVexorReply target()
{
    TVexorReply t {};
    UtilMethod::stringToMac(QStringLiteral("00:1c:27:0a:0b:0c"), t.macAddress);
    UtilMethod::stringToIp(QStringLiteral("192.0.2.10"), t.ipAddress);
    return t;
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestLanRequests : public QObject
{
    Q_OBJECT

private slots:
    void discoveryRequest() { QCOMPARE(searchRequest(), hex("FDFD0000A100FFFFFFFFFFFF00000000000001000000")); }

    void verifyRequest()
    {
        const QByteArray r = LandapRequest::userVerify(target(), QStringLiteral("admin"), QStringLiteral("pw"));
        QCOMPARE(r.size(), 150);
        QCOMPARE(r.left(22), hex("FDFD0000A300001C270A0B0CC000020A777701008000"));
        QCOMPARE(r.mid(22, 64), QByteArray("YWRtaW4=").leftJustified(64, '\0'));
        QCOMPARE(r.mid(86, 64), QByteArray("cHc=").leftJustified(64, '\0'));
    }

    void changeRequest()
    {
        const QByteArray r = LandapRequest::userChange(
            target(), QStringLiteral("admin"), QString(), QStringLiteral("admin"), QStringLiteral("new"));
        QCOMPARE(r.size(), 278);
        QCOMPARE(r.left(22), hex("FDFD0000A400001C270A0B0CC000020A777701000001"));
        QCOMPARE(r.mid(86, 64), QByteArray(64, '\0'));
        QCOMPARE(r.mid(150, 64), QByteArray("YWRtaW4=").leftJustified(64, '\0'));
        QCOMPARE(r.mid(214, 64), QByteArray("bmV3").leftJustified(64, '\0'));
    }

    void slotsHoldAtMost48Bytes()
    {
        const QString longest = QString(16, QChar(0x20AC)); // 48 UTF-8 bytes
        QVERIFY(LandapRequest::fitsSlot(longest));
        QVERIFY(!LandapRequest::fitsSlot(longest + QLatin1Char('x')));
        const QByteArray r = LandapRequest::userVerify(target(), QStringLiteral("admin"), longest);
        QVERIFY(!r.mid(86, 64).contains('\0'));
        QString back;
        QVERIFY(LandapRequest::slotText(r, 86, &back));
        QCOMPARE(back, longest);
        QVERIFY(!LandapRequest::slotText(QByteArray(100, '!'), 22, &back));
        QVERIFY(!LandapRequest::slotText(r, 100, &back));
    }

    void replies()
    {
        uint16_t opcode = 0;
        QVERIFY(!datagramOpcode(QByteArray(17, '\0'), &opcode));
        QByteArray reply = hex("FDFD0000A300001C270A0B0CC000020A0200");
        QVERIFY(datagramOpcode(reply, &opcode));
        QCOMPARE(opcode, OP_USER_VERIFY);
        QCOMPARE(datagramStatus(reply), uint16_t(2));

        TVexorReply record;
        QVERIFY(!vexorReplyFromDatagram(QByteArray(333, '\0'), &record));
        QByteArray full(400, '\0');
        std::memcpy(full.data() + 150, "HRX-540A", 8);
        full[220] = char(0x42);
        QVERIFY(vexorReplyFromDatagram(full, &record));
        QString model;
        QVERIFY(vexorReplyModelName(record, &model));
        QCOMPARE(model, QStringLiteral("HRX-540A"));
        QCOMPARE(record.macAddress[0], uint8_t(0x42));
        // A full field without a NUL is read to its end, never beyond.
        std::memset(record.modelName, 'A', sizeof record.modelName);
        QVERIFY(vexorReplyModelName(record, &model));
        QCOMPARE(model, QString(32, QLatin1Char('A')));
        record.modelName[3] = char(0xC3);
        QVERIFY(!vexorReplyModelName(record, &model));
    }
};

QTEST_GUILESS_MAIN(TestLanRequests)
#include "tst_lanrequests.moc"
