// CGridCtrl: the seams part two fills. Each operation here is declared in
// its slot and either does its small share now (ending an edit, the user-edit
// path of a text) or nothing, with the Part that specifies it.
#include "CGridCtrl.h"

// ---- Printing: part two ----
void CGridCtrl::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::OnPrintPage(CDC*, CPrintInfo*) {}
void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintColumnCells(int, int, int, CRect&, CDC*) {}
void CGridCtrl::PrintColumnHeadings(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintHeader(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintFooter(CDC*, CPrintInfo*) {}
void CGridCtrl::PrintRowHeadings(CDC*, CPrintInfo*) {}

