#pragma once
// The About box (dialog 100): the model's name over the version lines.
#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(100, nullptr) {}
    BOOL OnInitDialog() override;
};
