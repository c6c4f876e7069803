#ifndef HIDDEVINFO_H
#define HIDDEVINFO_H

#include <QList>
#include <QMetaType>
#include <QString>

// One enumerated HID interface, as the HID library describes it.
struct HIDDevInfo
{
    QString path; // platform device path (decoded from the library's UTF-8 bytes)
    ushort vendorId = 0;
    ushort productId = 0;
    QString serialNumber;
    ushort releaseNumber = 0;
    QString manufacturer;
    QString product;
    ushort usagePage = 0;
    ushort usage = 0;
    int interfaceNumber = -1;
};

Q_DECLARE_METATYPE(HIDDevInfo)

#endif // HIDDEVINFO_H
