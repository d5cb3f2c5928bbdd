// The fixed records every written file is made from: a few rows of each
// table of the demo register's data groups and reports, given as display
// texts through the field codec. They reach signed and unsigned numbers,
// packed digits, amounts with four decimals and below zero, 64-bit codes,
// Japanese register text and CSV text with commas and quotes.
#pragma once

#include <vector>

#include "CEcrGraphic.h"
#include "ReportKind.h"
#include "TableGroup.h"

namespace FixedRecords {

// The groups the library keeps in data files, in the library's order.
const std::vector<const wchar_t*>& TableGroupNames();
// The library's table group of that name; null when there is none.
TableGroup* TableGroupNamed(const wchar_t* name);
// The library's logo group of that logo name (LOGO1, LOGO2); null when none.
CEcrGraphic* LogoNamed(const wchar_t* name);

// Replaces every table of the group with its fixed records; the keyboard's
// map also gets a key assigned the way the keyboard screen assigns one.
void Fill(TableGroup& group);

// The report kinds the register delivers a report of (FIN and DEPT).
std::vector<ReportKind> DeliveredReports();
// The fixed rows of one of those reports.
void FillReport(const ReportKind& kind, EcrTable& rows);

} // namespace FixedRecords
