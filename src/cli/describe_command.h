#pragma once
// qelvar-cli describe and descriptions: the details window of one hex as text, and the description table
// dump. Neither needs Qt.

#include <string>

namespace qelvar {

struct CliSession;

struct DescribeCommand {
    std::string in;      // the subsector file, loaded as "Load" does
    std::string hex;     // four digits, the location inside the subsector ("0101" to "0810")
    std::string letter;  // the subsector letter of a DAT file
};

// One line per control of the details window, "Control<TAB>caption", in UTF-8; a line break inside a
// caption is written as the two characters \n and trailing blanks stay. A HEX that is not a hex of the
// subsector, or that holds no world, is a usage error.
int runDescribe(CliSession& session, const DescribeCommand& command);

struct DescriptionsCommand {
    std::string out;  // the file to write; empty for standard output
};

// The description table dump: to a file exactly as the desktop program writes it, or to standard output.
int runDescriptions(CliSession& session, const DescriptionsCommand& command);

}  // namespace qelvar
