#pragma once
// CFeatureDialog: the base of the feature dialogs and views. What each of them would
// otherwise repeat lives here: the program icon (447), topmost where the dialog asks for it,
// the title with the device address, typed access to a control by its id, and the order of
// closing: DestroyWindow lets the window go first and then calls CloseSessions, so an answer
// arriving meanwhile finds no window and starts nothing new.
//
// A dialog names its template and its look in a plain constructor, so that
// `CPortSetInfo dlg; dlg.DoModal();` is all a caller writes:
//
//   CPortDescription::CPortDescription(CWnd* parent)
//       : CFeatureDialog(IDD, {.titlePrefix = "Port Description: "}, parent) {}
//
// Controls are reached through the ids of the template's ids header (ui::ControlId):
// Item(IDC_SPEED) is the CComboBox of that id. An id whose control is missing or of another
// kind is a fault of the program, not of the user: it is written to the debug output and kept
// in ControlFaults() (which the tests that open every dialog check), and the call gets a
// control without a window, on which every operation does nothing.
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/ui/ControlId.h"
#include "platform/ui/Dialog.h"

// How a feature dialog shows itself.
struct FeatureDialogLook {
    bool topmost = false;               // kept above other windows
    const char* titlePrefix = nullptr;  // title: this text and the device address
};

class CFeatureDialog : public CDialog {
public:
    using Look = FeatureDialogLook;

    // The control faults met so far in this process ("<dialog id>/<control id>: ..."),
    // and clearing them (tests).
    static std::vector<std::string> ControlFaults();
    static void ClearControlFaults();

protected:
    CFeatureDialog(UINT templateId, Look look = {}, CWnd* parent = nullptr);

    // Topmost (before the controls are made), then the dialog's controls and data exchange,
    // the icon and the title.
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    // Closes the sessions of the dialog's logic; called once the window has gone.
    virtual void CloseSessions() {}

    template <class Control>
    Control& Item(ui::ControlId<Control> id) {
        if (auto* control = dynamic_cast<Control*>(GetDlgItem(id))) return *control;
        m_detached.push_back(std::make_unique<Control>());
        ReportControlFault(id, typeid(Control).name());
        return static_cast<Control&>(*m_detached.back());
    }

private:
    void ReportControlFault(int id, const char* kind);

    Look m_look;
    std::vector<std::unique_ptr<CWnd>> m_detached;  // stand-ins for faulty ids
};
