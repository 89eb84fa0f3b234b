#pragma once
// The active static VLANs as the 802.1Q VLAN dialog read them: a singly linked list in the
// order of the table read. The list dialog owns it; the add, edit and PVID dialogs borrow
// the head while they run modally.
#include <memory>
#include <string>

struct VlanEntry {
    static constexpr std::size_t kMaxName = 99;   // longer names are cut
    static constexpr std::size_t kMaxList = 499;  // longer port lists are cut

    int nVid = 0;
    std::string strName;           // in the system code page
    std::string strEgressPorts;    // "1,2,5": tagged and untagged members
    std::string strUntaggedPorts;  // the members that send untagged
    int nEgressCount = 0;
    int nUntaggedCount = 0;
    std::unique_ptr<VlanEntry> pNext;
};

// The entry of a VID, or null (a linear search from head).
inline const VlanEntry* FindVlanEntry(const VlanEntry* head, int vid) {
    for (const VlanEntry* e = head; e != nullptr; e = e->pNext.get()) {
        if (e->nVid == vid) return e;
    }
    return nullptr;
}

// The list's owner: appends at the tail and frees every entry at once.
class VlanList {
public:
    VlanList() = default;
    VlanList(const VlanList&) = delete;
    VlanList& operator=(const VlanList&) = delete;
    ~VlanList() { Free(); }

    const VlanEntry* Head() const { return m_head.get(); }
    void Append(std::unique_ptr<VlanEntry> entry) {
        VlanEntry* added = entry.get();
        (m_tail ? m_tail->pNext : m_head) = std::move(entry);
        m_tail = added;
    }
    // Iterative, so a long list does not recurse through its destructors.
    void Free() {
        while (m_head) m_head = std::move(m_head->pNext);
        m_tail = nullptr;
    }

private:
    std::unique_ptr<VlanEntry> m_head;
    VlanEntry* m_tail = nullptr;
};
