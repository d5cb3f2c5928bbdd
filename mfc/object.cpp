#include "object.h"

#include "msgbox.h"

int CException::ReportError(UINT type) const
{
    return AfxMessageBox(GetErrorText(), type);
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowUserException()
{
    throw new CUserException;
}
