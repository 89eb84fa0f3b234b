#include "features/information/ArpTable.h"

#include <cstdio>

#include "platform/ui/Print.h"
#include "platform/ui/Prompt.h"
#include "resources/templates/InfoTableDialogsIds.h"

using namespace arp_table_ids;

namespace {
const std::string kArp = "1.3.6.1.2.1.4.22.1.";
constexpr int kRowsPerPage = 35;
const char* const kTitle = " ARP Information";

std::string Format(const char* format, const std::vector<std::string>& texts) {
    char line[256];
    std::snprintf(line, sizeof line, format, texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str());
    return line;
}
}  // namespace

BEGIN_MESSAGE_MAP(CArpTable, CDirectTableDlg)
    ON_BN_CLICKED(IDC_REFRESH, OnRefreshTable)
    ON_BN_CLICKED(IDC_PRINT, OnPrint)
END_MESSAGE_MAP()

// Interface, address, MAC and type, requested in the table's column order.
CArpTable::CArpTable()
    : CDirectTableDlg({IDD,
                       IDC_LIST,
                       {"Interface ", "     IP               ", "       MAC                     ", "  Type       "},
                       {kArp + "1", kArp + "3", kArp + "2", kArp + "4"},
                       /*sessionPerRead=*/true,
                       /*counterId=*/IDC_ENTRIES}) {}

BOOL CArpTable::OnInitDialog() {
    CDirectTableDlg::OnInitDialog();
    SetWindowText("ARP Information");
    return TRUE;
}

std::vector<std::string> CArpTable::FormatRow(const DirectRow& row) const {
    return {row.values[0].text, row.values[1].text, ArpMacText(row.values[2].bytes, row.values[2].text),
            ArpTypeText(row.values[3].text)};
}

std::string ArpMacText(const std::string& bytes, const std::string& text) {
    if (bytes.size() != 6) return text;
    char mac[18];
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::snprintf(mac, sizeof mac, "%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    return mac;
}

std::string ArpTypeText(const std::string& value) {
    if (value == "1") return "Unknown";
    if (value == "2") return "Illegal";
    if (value == "3") return "Dynamic";
    return "Static";
}

void CArpTable::OnRefreshTable() { RestartWalkV1(); }

void CArpTable::OnPrint() {
    const int rows = m_list.GetItemCount();
    if (rows == 0) return;
    CPrintDialog dialog(FALSE);
    if (dialog.DoModal() != IDOK) return;
    const HDC printer = dialog.GetPrinterDC();
    if (!printer) {
        ::MessageBox(GetSafeHwnd(), "Can't get printer info!", "", MB_OK);
        return;
    }
    CDC dc;
    dc.Attach(printer);
    dc.m_bPrinting = TRUE;
    dc.SetMapMode(MM_TWIPS);
    SetWindowText(kTitle);
    DOCINFO info;
    info.lpszDocName = kTitle;
    info.lpszOutput = nullptr;
    info.lpszDatatype = "raw";
    if (dc.StartDoc(&info) <= 0) {
        ::MessageBox(GetSafeHwnd(), "Printer error!", "", MB_OK);
        dc.SetMapMode(MM_TEXT);
        dc.Detach();
        DeleteDC(printer);
        return;
    }
    const int pages = (rows + kRowsPerPage - 1) / kRowsPerPage;
    bool ok = true;
    for (int page = 1; page <= pages && ok; ++page) {
        dc.StartPage();
        dc.TextOut(1340, -360, kTitle);
        dc.MoveTo(720, -620);
        dc.LineTo(6480, -620);
        dc.TextOut(420, -980, Format(" %10s %16s %20s %10s", {"接口", "IP地址   ", "MAC 地址   ", "类型"}));
        for (int r = (page - 1) * kRowsPerPage; r < page * kRowsPerPage && r < rows; ++r) {
            std::vector<std::string> cells;
            for (int c = 0; c < 4; ++c) cells.push_back(m_list.GetItemText(r, c));
            dc.TextOut(360, -(r % kRowsPerPage) * 360 - 1440, Format("%10s %16s %20s %10s", cells));
        }
        const std::string footer = "第 " + std::to_string(page) + " 页";
        dc.TextOut((11520 - dc.GetTextExtent(footer).cx) / 2, -14400, footer);
        ok = dc.EndPage() > 0;
    }
    if (ok) dc.EndDoc();
    else dc.AbortDoc();
    dc.SetMapMode(MM_TEXT);
    dc.Detach();
    DeleteDC(printer);
}
