#pragma once
// The base of every front-panel element and the subject/observer link through which lamps
// follow their port or console element.
//
// Threads: the tree is built and drawn (Draw) on the user-interface thread; port states
// change on the polling and SNMP worker threads too. Status, dirty flag and subject state are
// atomic, and an element's image is swapped and drawn under the element's own lock, so a
// state change and a paint of the same element never meet half-way.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "shell/panel/DIBitmap.h"

class CWnd;
class CObserver;

// The program's pointing-hand cursor resource (32 x 32, hot spot (7, 1)), shown over ports
// and consoles; other elements show the system arrow.
constexpr UINT kHandCursor = 398;

class CVirtualDev {
public:
    // File names of pictures are kept to this many characters.
    static constexpr std::size_t kMaxBmpName = 99;

    CVirtualDev() = default;
    virtual ~CVirtualDev() = default;  // children go with their parent, deepest first
    CVirtualDev(const CVirtualDev&) = delete;
    CVirtualDev& operator=(const CVirtualDev&) = delete;

    // The runtime class name ("CPort", "CCom", "CModule", ...); "" for null.
    static std::string GetClassName(const CVirtualDev* element);

    virtual void OnMouseMove(int& x, int& y);
    virtual void SetType(int value);
    virtual BOOL Refresh();
    virtual void Draw();
    virtual void OnLButtonDown(int& x, int& y);

    void AddChild(CVirtualDev* child);  // takes ownership
    CVirtualDev* GetChild(int index) const;
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    // The n-th (0-based) direct child of that class, or null.
    CVirtualDev* FindChildByClass(const std::string& className, int n) const;

    void Init(int left, int top, int width, int height);
    CRect GetRect() const;
    void SetID(const std::string& id) { m_strID = id; }
    const std::string& GetID() const { return m_strID; }
    void SetName(const std::string& name) { m_strName = name; }
    const std::string& GetName() const { return m_strName; }
    void SetBmpName(const std::string& name);
    // A shortened path would name another file: a name that does not fit is not kept.
    static std::string FitBmpName(const std::string& name) { return name.size() <= kMaxBmpName ? name : std::string(); }
    const std::string& GetBmpName() const { return m_strBmpName; }

    void SetStatus(int value);
    int GetStatus() const { return m_nStatus.load(); }
    bool IsDirty() const { return m_bDirty.load(); }

    // In the whole subtree: the owner window, its client rectangle and the reference size.
    void SetOwner(CWnd* owner);
    CWnd* GetOwner() const { return m_pOwner; }
    // In the whole subtree: the device context that Draw paints on.
    void SetDC(CDC* dc);
    // Draws each direct child, then clears its dirty flag; grandchildren are not drawn.
    void DrawChildren();

    // True when (x, y), in the owner's client coordinates, lies inside the element with a
    // margin of 2 pixels; never before SetOwner has recorded a non-empty client area.
    bool HitTest(int x, int y) const;

    // A pixel of the element's picture (0xFFRRGGBB) from its top-left corner; 0 without one.
    std::uint32_t GetImagePixel(int x, int y) const;

protected:
    // IDC_ARROW or kHandCursor; a cursor that cannot be loaded leaves the current one.
    static void ShowCursor(UINT cursorId);
    // Loads the file into the image; on failure the previous picture stays.
    BOOL LoadImage(const std::string& fileName);

    std::vector<std::unique_ptr<CVirtualDev>> m_children;
    std::string m_strID;
    std::string m_strName = "VirtualDev";
    int m_nLeft = 0, m_nTop = 0, m_nWidth = 0, m_nHeight = 0;
    int m_nRefWidth = 0, m_nRefHeight = 0;
    CRect m_rcClient{0, 0, 0, 0};
    std::atomic<int> m_nStatus{0};
    std::atomic<bool> m_bDirty{true};
    CDC* m_pDC = nullptr;
    CWnd* m_pOwner = nullptr;
    std::string m_strBmpName;

private:
    virtual const char* RuntimeClassName() const { return "CVirtualDev"; }

    mutable std::mutex m_imageMutex;
    CDIBitmap m_image;
};

// The subject half: observers are not owned (a lamp is also a child of its subject).
class CSubject {
public:
    virtual ~CSubject() = default;
    void SetState(int value) { m_nState.store(value); }
    int GetState() const { return m_nState.load(); }
    void Attach(CObserver* observer) { m_observers.push_back(observer); }
    const std::vector<CObserver*>& Observers() const { return m_observers; }

protected:
    // Sets the subject state to the element's status, then updates every observer in order.
    void NotifyObservers(int state);

    std::vector<CObserver*> m_observers;
    std::atomic<int> m_nState{0};
};

class CObserver {
public:
    virtual ~CObserver() = default;
    void SetSubject(CSubject* subject) { m_pSubject = subject; }
    CSubject* GetSubject() const { return m_pSubject; }
    virtual void Update() = 0;

protected:
    CSubject* m_pSubject = nullptr;
};
