#pragma once
// The desktop program's printer: the one "Printer Setup" chooses, or, when $QELVAR_PRINT_PDF names a
// file, that PDF file. A print command writes the PDF file afresh with its print jobs one after another,
// each starting on a new page; on a real printer every job is a document of its own.

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace qelvar {

class Prompter;
class Surface;

class DesktopPrinter {
public:
    explicit DesktopPrinter(Prompter& prompter);
    ~DesktopPrinter();
    DesktopPrinter(const DesktopPrinter&) = delete;
    DesktopPrinter& operator=(const DesktopPrinter&) = delete;

    using Pages = std::function<void(Surface& printer)>;

    // Whether there is anything to print to; when not, the user is told so and nothing else happens.
    bool available();
    // Turns the paper for the next prints and previews (the landscape print modes), or back upright.
    void setLandscape(bool landscape);
    // Draws the pages on the printer or into the PDF file.
    void print(const Pages& pages);
    // "Printer Setup": the system's printer dialog (the page set-up of the PDF file under
    // $QELVAR_PRINT_PDF); what is chosen there is used by the next prints.
    void setUp(QWidget* parent);
    // "Print Preview...": the pages in a preview window, from which they can be printed.
    void preview(QWidget* parent, const Pages& pages);

    // $QELVAR_PRINT_PDF; empty when unset.
    static std::string pdfPath();
    static constexpr const char* kNoPrinterMessage =
        "No printer is available, so nothing was printed. Install a printer, or set QELVAR_PRINT_PDF to a "
        "file name to print into a PDF file.";

private:
    Prompter& prompter_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace qelvar
