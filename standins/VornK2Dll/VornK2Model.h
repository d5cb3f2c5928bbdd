#pragma once

#include <vector>

#include "ReportKind.h"

class GroupRegistry;

// The data layout of the register model "02 VORN-K2": its groups, tables and
// fields, in the order the library lists them.
namespace VornK2Model {

// Window numbers the program fetches groups by.
enum WndNo : int
{
    WND_NONE = -1,
    WND_REPORT_SET = 3,
    WND_CHOICES = 4,
    WND_DEPT = 17,
    WND_PLU = 18,
    WND_CLERK = 19,
    WND_S_MODE = 20,
    WND_PROG_MODE = 21,
    WND_KEYBOARD = 23,
    WND_REPORTS = 24,
    WND_RESERVED = 25,
};

void Build(GroupRegistry& registry);

// The reports the register produces.
std::vector<ReportKind> ReportKinds();

} // namespace VornK2Model
