// Wertalo: the network adapter address of this workstation.
#pragma once

#include <QString>

namespace wertalo::platform {

// The address of the first non-loopback interface under /sys/class/net in name order, as twelve
// upper-case hexadecimal digits without separators; empty when there is none.
QString MACAddress();

// The same, with the interfaces read from another folder laid out like /sys/class/net.
QString MACAddress(const QString& interfacesFolder);

}  // namespace wertalo::platform
