#include "PortProbe.h"

#include <cwchar>

#include <windows.h>

namespace {

bool OpenDevice(int number)
{
    wchar_t device[32];
    std::swprintf(device, 32, L"\\\\.\\COM%ld", static_cast<long>(number));
    HANDLE port = ::CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(port);
    return true;
}

PortProbeHandler g_probe = OpenDevice;

} // namespace

PortProbeHandler SetPortProbeHandler(PortProbeHandler handler)
{
    PortProbeHandler old = g_probe;
    g_probe = handler ? handler : OpenDevice;
    return old;
}

bool ProbeComPort(int number)
{
    return g_probe(number);
}
