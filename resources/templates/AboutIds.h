#pragma once
// Control ids of the About box (About.cpp), for the template, CAboutDlg and its tests.
#include "platform/ui/ControlId.h"
#include "platform/ui/Controls.h"

namespace about_ids {
constexpr UINT IDD = 100;
constexpr ui::ControlId<CStatic> IDC_MODEL_NAME{1049};
}  // namespace about_ids
