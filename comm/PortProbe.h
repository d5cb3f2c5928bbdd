#pragma once

// The serial-port probe of the transfer dialog (ComPortOpens), behind a seam
// tests replace.
using PortProbeHandler = bool (*)(int number);

// Replaces the probe; returns the previous one. Null restores the device probe.
PortProbeHandler SetPortProbeHandler(PortProbeHandler handler);
bool ProbeComPort(int number);
