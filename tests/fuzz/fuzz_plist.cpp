// libFuzzer target: any bytes given to the property list readers end in a
// value or an error, and a value that can be written as XML reads back and
// writes again to the same XML.
#include "platform/PropertyList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const PropertyList::Parsed parsed = PropertyList::parse(bytes);
    if (!parsed.ok())
        return 0;
    QByteArray xml;
    if (!PropertyList::toXml(parsed.value, &xml).isEmpty())
        return 0;
    const PropertyList::Parsed again = PropertyList::parse(xml);
    if (!again.ok())
        std::abort();
    QByteArray xmlAgain;
    if (!PropertyList::toXml(again.value, &xmlAgain).isEmpty() || xmlAgain != xml)
        std::abort();
    return 0;
}
