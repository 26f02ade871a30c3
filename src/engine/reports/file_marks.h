#pragma once
// Two commands on the files the browser lists: marking those whose names begin with a typed prefix, and
// the subsector index, the letter and name of every listed subsector in one message.

#include <string>
#include <string_view>
#include <vector>

#include "files/folder_files.h"

namespace qelvar {

class Prompter;

inline constexpr const char* kMaskQuestion = "Give first n characters to match";
inline constexpr const char* kIndexHeading = "Subsector index:";

// For each name, whether its first characters equal the mask, ignoring case. An empty mask matches all.
std::vector<bool> namesMatchingMask(const std::vector<std::string>& names, std::string_view mask);

// "Mark from mask": asks for the prefix and gives the new selection of names (true: selected).
std::vector<bool> markFromMask(Prompter& prompter, const std::string& title, const std::vector<std::string>& names);

// The index line of one file from its name and bytes (only the first four lines are looked at):
// SBS: the letter at column 79 of line 3, a blank, line 1; ARP: the letter at column 33 of line 4, a
// blank, columns 11-31 of line 4; DAT: the last character of the name before its extension, upper-cased,
// a blank, columns 14-35 of line 1. Missing lines read as empty.
std::string subsectorIndexLine(FileType type, const std::string& fileName, std::string_view bytes);

// "Subsector index:", two line breaks, then one line per listed file of folder, each ended by crlf.
// A file that cannot be read is left out.
std::string subsectorIndexText(const std::string& folder, const std::vector<std::string>& names, FileType type,
                               const std::string& crlf);

// "List subsec names": the index in an information message titled with the application title.
void showSubsectorIndex(Prompter& prompter, const std::string& folder, const std::vector<std::string>& names,
                        FileType type);

}  // namespace qelvar
