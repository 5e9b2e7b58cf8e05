#pragma once

#include "protocol/TVexorReply.h"
#include "util/ComputerNetwork.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Why a recorder cannot be reached, told from its discovery reply and the
// computer's addresses and routes, with what its text names.
struct ReachDiagnosis
{
    enum class Cause {
        None,
        OtherSubnetStatic, // a fixed address the computer has no route to
        OtherSubnetDhcp, // the same, given by another network's DHCP server
        LinkLocal, // 169.254.x.x: it asked for an address and no router answered
        OtherLink, // on one link's network, but the computer sends to it over another
        BadMask, // the recorder's own mask is 0.0.0.0 or has gaps
        ViaGateway, // reached through a router, which did not pass the request on
        NoIpv4, // nothing answered; the computer has no IPv4 network
        OnlyLinkLocal, // nothing answered; the computer has only self-assigned addresses
        SeveralNetworks, // nothing answered; the search left on one of several links
        OneNetwork, // nothing answered on the computer's one network
        HttpsClosed, // on the computer's network, but its HTTPS port does not answer
    };
    // A link's name as people know it: "Wi-Fi (wlp2s0)".
    using LinkNamer = std::function<QString(const QString &interfaceName)>;

    Cause cause = Cause::None;
    // Filled into the cause's text, in order.
    QStringList args;

    explicit operator bool() const { return cause != Cause::None; }
    // The computer's requests cannot get to the recorder: worth asking before
    // anything is sent to it.
    bool cannotReach() const;
    // A stable name for machine-read output: "otherSubnet", "httpsClosed", ...
    QString code() const;
    // The key of the cause's text in the language files.
    QString textKey() const;

    // A recorder that answered the search.
    static ReachDiagnosis ofRecorder(
        const TVexorReply &recorder, const ComputerNetwork &computer, const LinkNamer &linkName);
    // A search that no recorder answered.
    static ReachDiagnosis ofNoAnswer(const ComputerNetwork &computer, const LinkNamer &linkName);
    // A recorder whose HTTPS connection failed: its address, its route, or else its port.
    static ReachDiagnosis ofHttpsFailure(
        const TVexorReply &recorder, const ComputerNetwork &computer, const LinkNamer &linkName);
};
