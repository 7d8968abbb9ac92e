// The file commands: New, Open, Save, Save As, and the save prompt on close.
#include "Unit1.h"

void TfrmMain::ToolBtnNewClick() {}
void TfrmMain::ToolBtnOpenClick() {}
void TfrmMain::ToolBtnSaveClick() {}
void TfrmMain::ToolBtnSaveAsClick() {}

bool TfrmMain::FormCloseQuery() { return true; }
