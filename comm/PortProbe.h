#pragma once

// Whether the serial port COM<number> exists and is free: it is opened for
// reading and writing, unshared, and closed at once. A seam tests replace.
using PortProbeHandler = bool (*)(int number);

// Replaces the probe; returns the previous one. Null restores the device probe.
PortProbeHandler SetPortProbeHandler(PortProbeHandler handler);
bool ProbeComPort(int number);
