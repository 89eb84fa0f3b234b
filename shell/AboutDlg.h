#pragma once
// The About box (dialog 100): the model's name over the version lines.
#include "platform/ui/Dialog.h"
#include "resources/templates/AboutIds.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(about_ids::IDD, nullptr) {}
    BOOL OnInitDialog() override;
};
