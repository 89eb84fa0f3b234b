#pragma once
// Printing: the print dialog and a printer device context (Gdi.h: StartDoc, StartPage, TextOut,
// EndPage, EndDoc, GetDeviceCaps), over Qt PrintSupport.
//
//   CPrintDialog dlg(FALSE);
//   if (dlg.DoModal() != IDOK) return;
//   HDC hdc = dlg.GetPrinterDC();        // the caller deletes it (DeleteDC), null: no printer
//   CDC dc;
//   dc.Attach(hdc);
//   dc.SetMapMode(MM_TWIPS);
//   dc.StartDoc(&info); dc.StartPage(); dc.TextOut(1440, -1440, "text"); dc.EndPage(); dc.EndDoc();
//   dc.Detach();
//   DeleteDC(hdc);
//
// Where the dialog cannot be shown (tests, the offscreen platform) a handler set with
// ui::SetPrintDialogHandler chooses: cancel, or a PDF file as the printer.
#include <functional>
#include <string>

#include "platform/ui/Gdi.h"

constexpr DWORD PD_ALLPAGES = 0x0, PD_SELECTION = 0x1, PD_PAGENUMS = 0x2, PD_NOSELECTION = 0x4;
constexpr DWORD PD_NOPAGENUMS = 0x8, PD_PRINTSETUP = 0x40, PD_RETURNDC = 0x100;
constexpr DWORD PD_USEDEVMODECOPIES = 0x40000, PD_HIDEPRINTTOFILE = 0x100000;

struct PRINTDLG {
    DWORD Flags = 0;
    HDC hDC = nullptr;  // the chosen printer's context after IDOK
    WORD nCopies = 1;
};

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);
    virtual ~CPrintDialog();  // deletes a printer context nobody took with GetPrinterDC
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK with a printer chosen, IDCANCEL otherwise. User-interface thread.
    virtual INT_PTR DoModal();
    // The chosen printer's context, now the caller's; null when there is none.
    HDC GetPrinterDC();
    std::string GetDeviceName() const { return m_deviceName; }
    int GetCopies() const { return m_pd.nCopies; }

    PRINTDLG m_pd;

private:
    CWnd* m_parent;
    bool m_given = false;
    std::string m_deviceName;
};

namespace ui {

struct PrintChoice {
    bool ok = false;           // false: the user cancelled
    std::string pdfFile;       // the PDF file that stands for the printer
    bool printerReady = true;  // false: OK, but no printer context can be made
};
using PrintDialogHandler = std::function<PrintChoice()>;
// Replaces the print dialog (tests); nullptr restores it. Returns the previous handler.
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler);

}  // namespace ui
