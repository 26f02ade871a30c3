#include "reports/text_print.h"

#include <cstdio>

#include "seams/surface.h"

namespace qelvar {

namespace {

void printHeading(Surface& printer, std::string_view heading) {
    printer.setUnit(SurfaceUnit::Millimetres);
    printer.setFont({"Times New Roman", 10, true, false});
    printer.print(heading, true);
    printer.setFontBold(false);
    printer.print("", true);
}

// Prints text staying on the line; each line break in it ends the line. With endLine the last piece ends
// its line too.
void printPieces(Surface& printer, std::string_view text, bool endLine, const std::function<void()>& lineEnded) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        printer.print(text.substr(start, i - start), true);
        if (lineEnded) lineEnded();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    printer.print(text.substr(start), endLine);
    if (endLine && lineEnded) lineEnded();
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

std::string timeStampSuffix(const std::tm& when) {
    static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = when.tm_mon >= 0 && when.tm_mon < 12 ? when.tm_mon : 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "  %02d/%s/%04d %02d:%02d: ", when.tm_mday, kMonths[month],
                  when.tm_year + 1900, when.tm_hour, when.tm_min);
    return buffer;
}

void printWrappedText(Surface& printer, std::string_view heading, std::string_view text, double pageWidth,
                      const std::function<void()>& lineEnded) {
    printHeading(printer, heading);
    const auto putWord = [&](std::string_view word, bool endLine) {
        if (pageWidth - printer.currentX() < kWrapMarginMillimetres) {
            printer.print("", true);
            if (lineEnded) lineEnded();
        } else {
            printer.print(" ", false);
        }
        printPieces(printer, word, endLine, lineEnded);
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ') continue;
        putWord(text.substr(start, i - start), false);
        start = i + 1;
    }
    const std::string_view rest = trimmed(text.substr(start));
    if (!rest.empty()) putWord(rest, true);
    printer.endDoc();
}

void printSelectedText(Surface& printer, std::string_view heading, std::string_view selection) {
    printHeading(printer, heading);
    printPieces(printer, selection, true, {});
    printer.endDoc();
}

}  // namespace qelvar
