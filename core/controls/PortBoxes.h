#pragma once
// CPortBoxes: one check box per port, each with a number label, made at run time in a dialog
// whose template cannot know the port count. The dialog passes the geometry in: a function
// giving each port's label and box rectangles in the dialog's client coordinates. Box of
// port p has id boxBase + p, its label labelBase + p; the label shows p, centred and sunken.
//
//   m_boxes.Create(this, ports, 6000, 7500, [&](int p) { return CPortBoxes::Cell{label, box}; });
//   ON_CONTROL_RANGE(BN_CLICKED, 6001, 6052, OnPortBox)  ->  m_boxes.GetCheck(id - 6000)
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"

class CPortBoxes {
public:
    struct Cell {
        CRect label;
        CRect box;
    };
    using Layout = std::function<Cell(int port)>;

    // Makes the label and the box of ports 1 to count, each only when the parent has no child
    // with its id yet, and shows them.
    void Create(CWnd* parent, int count, int boxBase, int labelBase, const Layout& layout);
    int Count() const { return m_nCount; }
    // Ports outside 1..Count() are ignored (GetCheck gives 0).
    void SetCheck(int port, int state);
    int GetCheck(int port) const;
    void Enable(int port, bool enable);
    void UncheckAll();
    // The lowest bottom edge of the boxes in the parent's client coordinates; 0 without boxes.
    int Bottom() const;

private:
    CButton* Box(int port) const;

    CWnd* m_pParent = nullptr;
    int m_nCount = 0;
    int m_nBoxBase = 0;
    std::vector<std::unique_ptr<CStatic>> m_labels;
    std::vector<std::unique_ptr<CButton>> m_boxes;
};
