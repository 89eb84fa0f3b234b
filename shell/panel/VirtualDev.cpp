#include "shell/panel/VirtualDev.h"

#include <algorithm>
#include <cstdint>

#include "platform/ui/App.h"
#include "platform/ui/Gdi.h"
#include "shell/panel/DevElements.h"

std::string CVirtualDev::GetClassName(const CVirtualDev* element) { return element ? element->RuntimeClassName() : ""; }

void CVirtualDev::ShowCursor(UINT cursorId) {
    HCURSOR cursor = nullptr;
    if (cursorId == IDC_ARROW) cursor = ::LoadCursor(nullptr, IDC_ARROW);
    else if (CWinApp* app = AfxGetApp()) cursor = app->LoadCursor(cursorId);
    if (cursor != nullptr) ::SetCursor(cursor);
}

void CVirtualDev::OnMouseMove(int& x, int& y) {
    if (HitTest(x, y)) ShowCursor(IDC_ARROW);
}

void CVirtualDev::SetType(int) {}

BOOL CVirtualDev::Refresh() { return LoadImage(m_strBmpName); }

void CVirtualDev::Draw() {
    if (m_pDC == nullptr) return;
    std::lock_guard lock(m_imageMutex);
    m_image.Stretch(m_pDC, m_nLeft, m_nTop, m_nWidth, m_nHeight);
}

void CVirtualDev::OnLButtonDown(int&, int&) {}

void CVirtualDev::AddChild(CVirtualDev* child) {
    if (child != nullptr) m_children.emplace_back(child);
}

CVirtualDev* CVirtualDev::GetChild(int index) const {
    if (index < 0 || index >= GetChildCount()) return nullptr;
    return m_children[static_cast<std::size_t>(index)].get();
}

CVirtualDev* CVirtualDev::FindChildByClass(const std::string& className, int n) const {
    if (n < 0) return nullptr;
    for (const auto& child : m_children) {
        if (GetClassName(child.get()) == className && n-- == 0) return child.get();
    }
    return nullptr;
}

void CVirtualDev::Init(int left, int top, int width, int height) {
    m_nLeft = left;
    m_nTop = top;
    m_nWidth = width;
    m_nHeight = height;
}

CRect CVirtualDev::GetRect() const {
    const auto edge = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return CRect(m_nLeft, m_nTop, edge(std::int64_t{m_nLeft} + m_nWidth), edge(std::int64_t{m_nTop} + m_nHeight));
}

void CVirtualDev::SetBmpName(const std::string& name) { m_strBmpName = FitBmpName(name); }

void CVirtualDev::SetStatus(int value) {
    if (m_nStatus.exchange(value) != value) m_bDirty.store(true);
}

void CVirtualDev::SetOwner(CWnd* owner) {
    CRect client(0, 0, 0, 0);
    if (owner != nullptr) owner->GetClientRect(&client);
    m_pOwner = owner;
    m_rcClient = client;
    m_nRefWidth = client.Width();
    m_nRefHeight = client.Height();
    for (auto& child : m_children) child->SetOwner(owner);
}

void CVirtualDev::SetDC(CDC* dc) {
    m_pDC = dc;
    for (auto& child : m_children) child->SetDC(dc);
}

void CVirtualDev::DrawChildren() {
    for (auto& child : m_children) {
        child->Draw();
        child->m_bDirty.store(false);
    }
}

bool CVirtualDev::HitTest(int x, int y) const {
    if (m_nRefWidth == 0 || m_nRefHeight == 0) return false;
    const std::int64_t w = m_rcClient.Width();
    const std::int64_t h = m_rcClient.Height();
    const std::int64_t x0 = w * m_nLeft / m_nRefWidth;
    const std::int64_t y0 = h * m_nTop / m_nRefHeight;
    const std::int64_t x1 = x0 + w * m_nWidth / m_nRefWidth;
    const std::int64_t y1 = y0 + h * m_nHeight / m_nRefHeight;
    return x0 + 2 < x && x < x1 - 2 && y0 + 2 < y && y < y1 - 2;
}

std::uint32_t CVirtualDev::GetImagePixel(int x, int y) const {
    std::lock_guard lock(m_imageMutex);
    return m_image.GetPixel(x, y);
}

BOOL CVirtualDev::LoadImage(const std::string& fileName) {
    CDIBitmap loaded;
    if (!loaded.LoadFromFile(fileName.c_str())) return FALSE;
    std::lock_guard lock(m_imageMutex);
    m_image = std::move(loaded);
    return TRUE;
}

void CSubject::NotifyObservers(int state) {
    SetState(state);
    for (CObserver* observer : m_observers) observer->Update();
}
