// The registry reads of the LCD programs' vendor identification, made
// directly by the start-up benchmark's same-work baselines: the keys opened,
// enumerated and read in the programs' order, each path built from what was
// read before, and no check of what was read. The benchmark's machine has
// one vendor adapter, so every walk ends at its first entry.
#ifndef TESTBED_VENDOR_READS_H
#define TESTBED_VENDOR_READS_H

#include <windows.h>

namespace vendor_reads {

// The configured node's hardware key, then that device's class, maker and
// driver key (into `driverKey`, 64 bytes).
void DeviceDriver(char* driverKey);
// The standard driver's name and the class key's switching flag.
void SwitchInfo(const char* driverKey);
// The driver the class key names as loaded.
void LoadedDriver(const char* driverKey);
// The PCI instance's class, maker and driver, the node walked again and the
// instance's settings key opened for query and set-value (the caller closes it).
HKEY PanelSettings();

}  // namespace vendor_reads

#endif
