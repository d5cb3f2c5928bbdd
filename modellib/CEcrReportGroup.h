#pragma once

#include "CEcrData.h"

// A report group (group type 4, window 24): reports that the register can
// send, each with up to two range values; its tables hold converted reports.
class CEcrReportGroup : public CEcrData
{
public:
    virtual int GetReportCount() = 0;
    virtual void* GetReport(int index) = 0;
    virtual S_ECR_LABEL* GetReportLabel(int index) = 0;
    virtual int GetReportId(int index) = 0;
    virtual int GetRangeFieldCount(int index) = 0;  // 0, 1 or 2
    virtual int GetRangeMin(int index) = 0;
    virtual int GetRangeMax(int index) = 0;

protected:
    CEcrReportGroup() = default;
    ~CEcrReportGroup() = default;
};

// The report-group view of a group, or null for any other group type.
inline CEcrReportGroup* AsReportGroup(CEcrData* data)
{
    return data && data->GroupType == GROUP_REPORTS ? static_cast<CEcrReportGroup*>(data) : nullptr;
}
