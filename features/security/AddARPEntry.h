#pragma once
// "ARP Spoofing Prevention Settings": one new gateway binding, its IPv4 address, its MAC
// address and the ports it holds on, chosen with one check box per port. Opened by the
// gateway list's Add; ends with OK once the entry was written.
#include <string>
#include <vector>

#include "core/controls/PortBoxes.h"
#include "core/controls/lxDialog.h"
#include "features/security/ARPSpoofLogic.h"

class CAddARPEntry : public ClxDialog {
public:
    explicit CAddARPEntry(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

private:
    void CreatePortBoxes();
    // Cancel under the last box, Apply beside it, the frame and the dialog around them.
    void FitToPortBoxes();
    void OnPortBox(UINT id);
    void OnAllPorts();
    void OnApply();
    // The address control's text, "0.0.0.0" when it is blank.
    std::string AddressText() const;
    CRect ItemRect(int id) const;

    CARPSpoofLogic m_logic;
    CPortBoxes m_boxes;
    int m_nPorts = 0;
    // Element p-1 is 1 when port p is chosen.
    std::vector<int> m_portSelect;

    DECLARE_MESSAGE_MAP()
};
