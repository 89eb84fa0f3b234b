#include "features/information/Rmon1Entry.h"

#include "resources/templates/Rmon1DialogsIds.h"

using namespace rmon1_entry_ids;

namespace {
constexpr int kMaxIndex = 65535;
}  // namespace

CRmon1Entry::CRmon1Entry(CWnd* parent) : CFeatureDialog(IDD, {.topmost = true}, parent) {}

// The numbers are taken, never shown: the boxes start empty.
void CRmon1Entry::DoDataExchange(CDataExchange* dx) {
    if (dx->m_bSaveAndValidate) {
        DDX_Text(dx, IDC_INDEX, m_index);
        DDV_MinMaxInt(dx, m_index, 1, kMaxIndex);
        DDX_Text(dx, IDC_INTERFACE, m_interface);
    }
    DDX_Text(dx, IDC_OWNER, m_owner);
}
