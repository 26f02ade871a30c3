// The index and batch commands, and the writer behind convert's output types. No Qt.
#include "file_commands.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <memory>

#include "cli.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/subsector_store.h"
#include "files/arp.h"
#include "files/batch.h"
#include "files/sbs.h"
#include "seams/prompter.h"
#include "reports/file_marks.h"

namespace qelvar {

namespace {

int writeFormatted(Prompter& prompter, const std::string& path, const WithNotices<std::string>& file) {
    prompter.tell(file.notices);
    const auto written = writeFileAtomically(path, file.value);
    if (written) return kExitOk;
    prompter.message(written.error(), MessageIcon::Exclamation);
    return kExitFile;
}

FileType fileTypeOption(const std::string& name) {
    if (name.empty()) return FileType::Arp;
    if (const auto type = fileTypeNamed(name)) return *type;
    throw CLI::ValidationError("--type takes sbs, arp or dat, not \"" + name + "\"");
}

}  // namespace

int writeConvertedFile(const SubsectorStore& store, Prompter& prompter, const std::string& path) {
    const std::string extension = extensionOf(path);
    if (extension == ".arp") return writeFormatted(prompter, path, formatArp(store));
    if (extension == ".htm" || extension == ".html") return writeFormatted(prompter, path, formatArpHtml(store));
    return writeSbsFile(store, prompter, path) ? kExitOk : kExitFile;
}

int runIndex(const IndexCommand& command, std::ostream& out, Prompter& prompter) {
    const auto names = filesOfType(command.folder, command.type);
    if (!names) {
        prompter.message(names.error(), MessageIcon::Exclamation);
        return kExitFile;
    }
    out << terminalText(subsectorIndexText(command.folder, *names, command.type, "\n"));
    return kExitOk;
}

int runBatch(const BatchCommand& command, std::ostream& out, std::ostream& err, SubsectorStore& store,
             Prompter& prompter) {
    if (command.stub.size() > kMaxStubLength) {
        prompter.message(kStubTooLong);
        return kExitUsage;
    }
    const auto names = filesOfType(command.folder, command.type);
    if (!names) {
        prompter.message(names.error(), MessageIcon::Exclamation);
        return kExitFile;
    }
    BatchProgress progress;
    if (command.showProgress) {
        progress = [&err](std::size_t index, std::size_t count, const std::string& name) {
            err << "\r\033[K" << index << "/" << count << (name.empty() ? "" : " ") << terminalText(name)
                << (index == count ? "\n" : "") << std::flush;
            return true;
        };
    }
    const BatchResult result = convertFilesToSbs(store, prompter, command.folder, *names, command.stub, progress);
    for (const std::string& written : result.written) out << terminalText(written) << '\n';
    return result.skipped.empty() ? kExitOk : kExitFile;
}

void addIndexCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string folder, type;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand("index", "Print the subsector index of a folder's files");
    command->add_option("DIR", args->folder, "the folder")->required();
    command->add_option("--type", args->type, "the files listed: sbs, arp (default) or dat")->type_name("TYPE");
    command->callback([&session, args] {
        session.status = runIndex({args->folder, fileTypeOption(args->type)}, session.out, session.prompter);
    });
}

void addBatchCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string folder, stub, type;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command =
        app.add_subcommand("batch", "Convert a folder's files to SBS, named STUB-letter.SBS in the same folder");
    command->add_option("DIR", args->folder, "the folder")->required();
    command->add_option("--stub", args->stub, "the start of every output name, at most 6 characters")
        ->required()
        ->type_name("S");
    command->add_option("--type", args->type, "the files converted: sbs, arp (default) or dat")->type_name("TYPE");
    command->callback([&session, args] {
        const bool terminal = &session.err == &std::cerr && ::isatty(STDERR_FILENO) == 1;
        const BatchCommand batch{args->folder, args->stub, fileTypeOption(args->type), terminal};
        session.status = runBatch(batch, session.out, session.err, session.store, session.prompter);
    });
}

}  // namespace qelvar
