#include "platform/ui/Print.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/ui/GdiInternal.h"
#include "platform/win/DebugOutput.h"

namespace {
std::mutex g_handlerMutex;
ui::PrintDialogHandler g_handler;

ui::PrintDialogHandler Handler() {
    std::lock_guard lock(g_handlerMutex);
    return g_handler;
}
}  // namespace

namespace ui {
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    return std::exchange(g_handler, std::move(handler));
}
}  // namespace ui

namespace ui::detail {
HDC MakePrinterDC(std::unique_ptr<QPrinter> printer) {
    auto* dc = new HDC__;
    dc->kind = HDC__::Kind::Printer;
    dc->printer = std::move(printer);
    return dc;
}
}  // namespace ui::detail

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) : m_parent(parent) {
    m_pd.Flags = flags | PD_RETURNDC | (printSetupOnly ? PD_PRINTSETUP : 0);
}

CPrintDialog::~CPrintDialog() {
    if (!m_given && m_pd.hDC) DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal() {
    if (!m_given && m_pd.hDC) DeleteDC(m_pd.hDC);
    m_pd.hDC = nullptr;
    m_given = false;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (const ui::PrintDialogHandler handler = Handler()) {
        const ui::PrintChoice choice = handler();
        if (!choice.ok) return IDCANCEL;
        if (!choice.printerReady) return IDOK;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(choice.pdfFile));
    } else if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        // No one can answer a dialog here.
        OutputDebugStringA("print dialog without a printer choice: cancelled");
        return IDCANCEL;
    } else {
        QPrintDialog dialog(printer.get(), m_parent ? ui::WidgetOf(m_parent->GetSafeHwnd()) : nullptr);
        QPrintDialog::PrintDialogOptions options;
        if (!(m_pd.Flags & PD_NOSELECTION)) options |= QPrintDialog::PrintSelection;
        if (!(m_pd.Flags & PD_NOPAGENUMS)) options |= QPrintDialog::PrintPageRange;
        if (!(m_pd.Flags & PD_HIDEPRINTTOFILE)) options |= QPrintDialog::PrintToFile;
        dialog.setOptions(options);
        if (dialog.exec() != QDialog::Accepted) return IDCANCEL;
    }
    if (!printer->isValid()) return IDOK;
    m_pd.nCopies = static_cast<WORD>(std::max(1, printer->copyCount()));
    m_deviceName = printer->printerName().isEmpty() ? printer->outputFileName().toStdString()
                                                    : printer->printerName().toStdString();
    m_pd.hDC = ui::detail::MakePrinterDC(std::move(printer));
    return IDOK;
}

HDC CPrintDialog::GetPrinterDC() {
    if (m_pd.hDC) m_given = true;
    return m_pd.hDC;
}
