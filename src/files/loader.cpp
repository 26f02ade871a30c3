#include "files/loader.h"

#include "core/file_io.h"
#include "core/paths.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "files/sbs.h"
#include "platform/prompter.h"

namespace qelvar {

FileFormat formatOfPath(const std::string& path) {
    const std::string upper = upperAscii(fileNameOf(path));
    if (upper.find(".DAT") != std::string::npos) return FileFormat::Dat;
    if (upper.find(".SBS") != std::string::npos) return FileFormat::Sbs;
    return FileFormat::Arp;
}

LoadStatus loadSubsectorFile(SubsectorStore& store, Prompter& prompter, const std::string& path,
                             const LoadOptions& /*options*/) {
    BusyPointer busy(prompter);
    const FileFormat format = formatOfPath(path);
    if (format != FileFormat::Sbs) {
        prompter.message("Cannot load \"" + path + "\": " +
                             (format == FileFormat::Dat ? "galactic DAT files" : "ARP files") +
                             " cannot be read by this version yet.",
                         MessageIcon::Exclamation);
        return LoadStatus::Unsupported;
    }
    const ReadResult read = readFileBytes(path);
    if (!read.ok) {
        prompter.message(read.error, MessageIcon::Exclamation);
        return LoadStatus::NotRead;
    }
    store.clear();
    prompter.tell(readSbs(store, read.bytes));
    return LoadStatus::Loaded;
}

}  // namespace qelvar
