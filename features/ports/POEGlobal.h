#pragma once
// "PoE Global Settings": the PoE system's power threshold and shut-off sequence, and its
// power readings. Reads each object with its own GET a moment after opening, writes the two
// settings and reads everything again after a successful change. No logic class: the
// dialog owns a reading and a writing session.
#include <array>
#include <string>

#include "core/CommonSNMP.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

class CPOEGlobal : public CFeatureDialog {
public:
    explicit CPOEGlobal(CWnd* parent = nullptr);

    // The wait before the first read, on the program clock.
    static constexpr UINT kFirstReadDelayMs = 3000;
    // Time-out of every GET and SET; a test may lower it.
    static inline int s_nTimeoutMs = 5000;

    // The threshold's text is accepted when it is wholly a decimal number from 7.1 to 193.0.
    static bool ThresholdInRange(const std::string& text);

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    void CloseSessions() override;

private:
    enum Object { Threshold, Sequence, Budget, Used, Left, Supplied, ObjectCount };

    void ShowWaiting();
    void ReadValues();
    void ReadValue(int object);
    void OnApply();
    // Sends the prepared request; true when the switch answered with error status 0.
    bool SendWrite();
    void EnableInput(bool enable);
    CComboBox& SequenceList();

    std::array<std::string, ObjectCount> m_arrOids;
    std::array<std::string, ObjectCount> m_arrValues;  // the last value read of each
    CCommonSNMP m_cCommonSNMPGet;
    CCommonSNMP m_cCommonSNMPSet;

    DECLARE_MESSAGE_MAP()
};
