#pragma once
// The text window's printouts and its time stamp. A printout is the heading in bold, an empty line and the
// text, on a printer surface in millimetres; the page is ended at the close.

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace qelvar {

class Surface;

// The tail that F5 appends: two blanks, the date as dd/Mmm/yyyy, a blank, the time as hh:nn, then ": ".
std::string timeStampSuffix(const std::tm& when);

// A word is put on a new line when less than this much of the line is left (2000 twips).
inline constexpr double kWrapMarginMillimetres = 2000.0 / 1440.0 * 25.4;

// "Print all": the text word-wrapped at blanks. Each word is preceded by one blank, or goes on a new line
// when less than the wrap margin is left before the right edge (pageWidth, millimetres from the left of
// the printable area). A line break inside the text ends the line there. lineEnded runs after every
// line the wrap ends, so that the windows can repaint during a long printout.
void printWrappedText(Surface& printer, std::string_view heading, std::string_view text, double pageWidth,
                      const std::function<void()>& lineEnded = {});

// "Print sel'n": the selected text as it is, its line breaks ending lines.
void printSelectedText(Surface& printer, std::string_view heading, std::string_view selection);

}  // namespace qelvar
