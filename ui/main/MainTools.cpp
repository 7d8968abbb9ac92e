// The commands that leave the editor: Download, Test, Set Port, the Help menu
// and Key Labels.
#include "Unit1.h"

void TfrmMain::btnSetPortClick() {}
void TfrmMain::ToolBtnDownloadClick() {}
void TfrmMain::ToolButtonTestClick() {}
void TfrmMain::ToolBtnHelpClick() {}
void TfrmMain::ToolButtonKeyLabelsClick() {}
