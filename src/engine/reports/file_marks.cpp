#include "reports/file_marks.h"

#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"
#include "store/startup.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

std::string_view firstLines(std::string_view bytes, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < count && end < bytes.size(); ++n) {
        end = bytes.find_first_of("\r\n", end);
        if (end == std::string_view::npos) return bytes;
        end += (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
    }
    return bytes.substr(0, end);
}

}  // namespace

std::vector<bool> namesMatchingMask(const std::vector<std::string>& names, std::string_view mask) {
    const std::string wanted = upperAscii(mask);
    std::vector<bool> marks;
    marks.reserve(names.size());
    for (const std::string& name : names) {
        marks.push_back(upperAscii(std::string_view(name).substr(0, wanted.size())) == wanted);
    }
    return marks;
}

std::vector<bool> markFromMask(Prompter& prompter, const std::string& title, const std::vector<std::string>& names) {
    return namesMatchingMask(names, prompter.inputBox(kMaskQuestion, title, ""));
}

std::string subsectorIndexLine(FileType type, const std::string& fileName, std::string_view bytes) {
    const auto lines = splitLines(firstLines(bytes, 4));
    const auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };
    switch (type) {
        case FileType::Sbs:
            return std::string(columns(line(2), 79, 79)) + " " + std::string(line(0));
        case FileType::Arp:
            return std::string(columns(line(3), 33, 33)) + " " + std::string(columns(line(3), 11, 31));
        case FileType::Dat: {
            const auto dot = fileName.find_last_of('.');
            const std::string stem = fileName.substr(0, dot == std::string::npos ? fileName.size() : dot);
            const std::string letter = stem.empty() ? std::string() : upperAscii(stem.substr(stem.size() - 1));
            return letter + " " + std::string(columns(line(0), 14, 35));
        }
        case FileType::Sector:  // a whole sector: no letter, its file name
            return "  " + fileName;
    }
    return {};
}

std::string subsectorIndexText(const std::string& folder, const std::vector<std::string>& names, FileType type,
                               const std::string& crlf) {
    std::string text = std::string(kIndexHeading) + crlf + crlf;
    for (const std::string& name : names) {
        const auto read = readFileBytes(joinPath(folder, name));
        if (!read) continue;
        text += subsectorIndexLine(type, name, *read) + crlf;
    }
    return text;
}

void showSubsectorIndex(Prompter& prompter, const std::string& folder, const std::vector<std::string>& names,
                        FileType type) {
    BusyPointer busy(prompter);
    const std::string text = subsectorIndexText(folder, names, type, "\r\n");
    prompter.message(text, MessageIcon::Information, applicationTitle());
}

}  // namespace qelvar
