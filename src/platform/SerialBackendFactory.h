#pragma once
// Picks the serial backend for a port: the built-in demo device for "demo",
// the real serial port for anything else.

#include <memory>
#include <string>

#include "link/SerialBackend.h"
#include "sim/SimDevice.h"

namespace tavix {

// A backend for `port`: "demo" (any case) reaches the one process-wide demo
// device, its replies delivered by a Qt timer host of its own; any other name
// is a real port through QSerialPort. The choice is made again at each Open,
// so a serial control made once follows a later change of port. Needs a Qt
// application object; use on the UI thread.
std::unique_ptr<SerialBackend> MakeSerialBackend(const std::string& port);

// The process-wide demo device, created on first use as the Tarrow with its
// logger. The program may change its series, memory or faults at any time.
sim::SimDevice& DemoDevice();
// Replaces the demo device (e.g. --device velmor); backends made before keep the old one.
void SetDemoDevice(std::shared_ptr<sim::SimDevice> device);
std::shared_ptr<sim::SimDevice> SharedDemoDevice();

}  // namespace tavix
