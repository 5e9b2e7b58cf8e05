#pragma once

#include "protocol/TVexorReply.h"
#include "util/NetworkInterfaces.h"

#include <QList>
#include <QString>
#include <QStringList>

// Why a recorder cannot be reached, told from its discovery reply and the
// computer's own interfaces, with what its text names.
struct ReachDiagnosis
{
    enum class Cause {
        None,
        OtherSubnetStatic, // a fixed address outside every network of the computer
        OtherSubnetDhcp, // the same, given by another network's DHCP server
        LinkLocal, // 169.254.x.x: it asked for an address and no router answered
        NoIpv4, // nothing answered; the computer has no IPv4 network
        OnlyLinkLocal, // nothing answered; the computer has only self-assigned addresses
        SeveralNetworks, // nothing answered; the search may have left on another network
        OneNetwork, // nothing answered on the computer's one network
        HttpsClosed, // found on the computer's network, but its HTTPS port does not answer
    };

    Cause cause = Cause::None;
    // Filled into the cause's text, in order.
    QStringList args;

    explicit operator bool() const { return cause != Cause::None; }
    // A stable name for machine-read output: "otherSubnet", "httpsClosed", ...
    QString code() const;
    // The key of the cause's text in the language files.
    QString textKey() const;

    // A recorder that answered the search.
    static ReachDiagnosis ofRecorder(const TVexorReply &recorder, const QList<Ipv4Interface> &computer);
    // A search that no recorder answered.
    static ReachDiagnosis ofNoAnswer(const QList<Ipv4Interface> &computer);
    // A recorder whose HTTPS connection failed: its address, or else its port.
    static ReachDiagnosis ofHttpsFailure(const TVexorReply &recorder, const QList<Ipv4Interface> &computer);
};
