#include "ComPort.h"

#include "afx.h"

bool ComPortOpens(int number)
{
    CString device;
    device.Format(L"\\\\.\\COM%ld", static_cast<long>(number));
    HANDLE port = ::CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(port);
    return true;
}
