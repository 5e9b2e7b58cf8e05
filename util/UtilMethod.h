#pragma once

#include <QString>

#include <cstdint>

// Formatting and parsing of the address fields of device records. The fields
// are passed by address: 4 bytes for an IPv4 address, 6 for a MAC, 2 for a port.
class UtilMethod
{
public:
    // Each byte in decimal, joined by ".".
    static QString ipToString(const uint8_t *ip);
    // Each byte as two lower-case hex digits, joined by ":".
    static QString macToString(const uint8_t *mac);
    // Ignores everything from the first ":" (a ":port"); each "."-separated part's
    // leading decimal integer (0 when none), truncated to 8 bits; at most 4 bytes written.
    static void stringToIp(const QString &text, uint8_t *outArry);
    // Each ":"-separated part read as hex (0 when unreadable), low 8 bits; at most 6 bytes written.
    static void stringToMac(const QString &text, uint8_t *outArry);
    // Little-endian 16-bit value; logs "bytesToInt: port=%i".
    static int bytesToInt(const uint8_t *bytes);
};
