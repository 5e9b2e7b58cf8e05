// libFuzzer target: any bytes given to the property list readers end in a
// value or an error, and a value that can be written as XML reads back and
// writes again to the same XML.
#include "FuzzSupport.h"
#include "platform/PropertyList.h"

NVR_FUZZ_TARGET(bytes)
{
    const PropertyList::Parsed parsed = PropertyList::parse(bytes);
    QByteArray xml;
    if (!parsed.ok() || !PropertyList::toXml(parsed.value, &xml).isEmpty())
        return;
    const PropertyList::Parsed again = PropertyList::parse(xml);
    FUZZ_REQUIRE(again.ok());
    QByteArray xmlAgain;
    FUZZ_REQUIRE(PropertyList::toXml(again.value, &xmlAgain).isEmpty() && xmlAgain == xml);
}
