#include "desktop_printer.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "seams/prompter.h"
#include "painter_surface.h"

namespace qelvar {

DesktopPrinter::DesktopPrinter(Prompter& prompter)
    : prompter_(prompter), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

DesktopPrinter::~DesktopPrinter() = default;

std::string DesktopPrinter::pdfPath() { return qEnvironmentVariable("QELVAR_PRINT_PDF").toLocal8Bit().toStdString(); }

bool DesktopPrinter::available() {
    if (!pdfPath().empty() || !QPrinterInfo::availablePrinters().isEmpty()) return true;
    prompter_.message(kNoPrinterMessage, MessageIcon::Exclamation);
    return false;
}

void DesktopPrinter::setLandscape(bool landscape) {
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void DesktopPrinter::print(const Pages& pages) {
    const std::string pdf = pdfPath();
    if (pdf.empty()) {
        PrinterSurface surface(*printer_, PrinterSurface::JobEnd::EndsDocument);
        pages(surface);
        surface.finish();
        return;
    }
    QPrinter file(QPrinter::HighResolution);
    file.setOutputFormat(QPrinter::PdfFormat);
    file.setOutputFileName(QString::fromLocal8Bit(pdf.c_str()));
    file.setPageLayout(printer_->pageLayout());
    PrinterSurface surface(file, PrinterSurface::JobEnd::NextPage);
    pages(surface);
    surface.finish();
}

void DesktopPrinter::setUp(QWidget* parent) {
    if (!pdfPath().empty()) {
        QPageSetupDialog dialog(printer_.get(), parent);
        dialog.exec();
        return;
    }
    if (!available()) return;
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setWindowTitle(QObject::tr("Printer Setup"));
    dialog.exec();
}

void DesktopPrinter::preview(QWidget* parent, const Pages& pages) {
    QPrintPreviewDialog dialog(printer_.get(), parent);
    dialog.setObjectName("PrintPreview");
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&pages](QPrinter* printer) {
        PrinterSurface surface(*printer, PrinterSurface::JobEnd::NextPage);
        pages(surface);
        surface.finish();
    });
    dialog.exec();
}

}  // namespace qelvar
