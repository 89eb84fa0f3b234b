#pragma once
// CPortRangeCombos: the From Port and To Port drop-down lists of a dialog that writes one
// setting to a range of ports. Both hold the port numbers as texts; To follows a change of
// From, and a To smaller than From is refused with the dialog's own message and set back to
// From. The lists belong to the dialog; this object only acts on them by id.
//
//   m_ports.Attach(this, IDC_FROM_PORT, IDC_TO_PORT, "'To Port' can not be smaller than 'From Port'");
//   m_ports.Fill(24, CPortRangeCombos::ToOnLast);
//   ON_CBN_SELCHANGE(IDC_FROM_PORT, OnFromPortChange)  ->  m_ports.OnFromChange();
//   ON_CBN_SELCHANGE(IDC_TO_PORT, OnToPortChange)      ->  m_ports.OnToChange();
#include <string>

#include "platform/ui/Controls.h"

class CPortRangeCombos {
public:
    enum ToStart { ToOnFirst, ToOnLast };

    void Attach(CWnd* parent, int fromId, int toId, std::string message);
    // Both lists get "1" to "count" (or each number in `format`, such as "   %d "); From
    // selects the first port, To the first or the last.
    void Fill(int count, ToStart toStart, const char* format = "%d");
    // To selects the port From shows.
    void OnFromChange();
    // A To below From shows the message and then selects From's port in To; false then.
    bool OnToChange();
    // Both lists select the item of this port (nothing changes for a port not listed).
    void SelectPort(int port);
    // The port number a list shows; 0 when it shows none.
    int FromPort() const;
    int ToPort() const;

private:
    CComboBox* Combo(int id) const;
    int PortOf(int id) const;

    CWnd* m_pParent = nullptr;
    int m_nFromId = 0;
    int m_nToId = 0;
    std::string m_strMessage;
};
