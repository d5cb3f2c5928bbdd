#include "PortProbe.h"

#include "ComPort.h"

namespace {
PortProbeHandler g_probe = ComPortOpens;
}

PortProbeHandler SetPortProbeHandler(PortProbeHandler handler)
{
    PortProbeHandler old = g_probe;
    g_probe = handler ? handler : ComPortOpens;
    return old;
}

bool ProbeComPort(int number)
{
    return g_probe(number);
}
