#pragma once
// "RMON 1 Control": the index, interface and owner of a new statistics entry. OK takes the
// index (1 to 65535) and the interface as numbers; a text that is not one is refused with the
// framework's message and the dialog stays open.
#include <string>

#include "core/controls/FeatureDialog.h"

class CRmon1Entry : public CFeatureDialog {
public:
    explicit CRmon1Entry(CWnd* parent = nullptr);

    int m_index = 0;
    UINT m_interface = 0;
    std::string m_owner = "Zarido";

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
