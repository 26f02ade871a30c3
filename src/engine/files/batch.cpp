#include "files/batch.h"

#include <algorithm>

#include "store/paths.h"
#include "store/subsector_store.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "store/file_io.h"
#include "store/startup.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

std::string safeNamePart(std::string text) {
    for (char& c : text) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
    }
    return text;
}

// Loads a file as the browser's double-click does; false when nothing was loaded.
bool loadListedFile(SubsectorStore& store, Prompter& prompter, const std::string& folder, const std::string& name) {
    const LoadStatus status = loadSubsectorFile(store, prompter, joinPath(folder, name), LoadOptions{folder, name, {}});
    store.refreshStatistics();
    return status == LoadStatus::Loaded;
}

}  // namespace

std::string batchOutputName(const std::string& folder, const std::string& stub, const std::string& letter) {
    return joinPath(folder, safeNamePart(stub + "-" + letter) + ".SBS");
}

std::string askBatchStub(Prompter& prompter, const std::string& title) {
    std::string stub = prompter.inputBox(kStubQuestion, title, "");
    while (stub.size() > kMaxStubLength) {
        prompter.message(kStubTooLong);
        stub = prompter.inputBox(kStubQuestion, title, "");
    }
    return stub;
}

BatchResult convertFilesToSbs(SubsectorStore& store, Prompter& prompter, const std::string& folder,
                              const std::vector<std::string>& fileNames, const std::string& stub,
                              const BatchProgress& progress) {
    // Every input is read before any output is written, so an output never replaces a file of the run that
    // has not been read yet; then the outputs are committed together, with one flush for all of them.
    struct Output {
        FileToWrite file;
        std::string input;
    };
    BatchResult result;
    std::vector<Output> outputs;
    const std::size_t count = fileNames.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (progress && !progress(i, count, fileNames[i])) {
            result.cancelled = true;
            break;
        }
        if (!loadListedFile(store, prompter, folder, fileNames[i])) {
            result.skipped.push_back(fileNames[i]);
            continue;
        }
        const std::string path = batchOutputName(folder, stub, store.subsectorLetter);
        prompter.processEvents();
        auto sbs = formatSbs(store);
        prompter.tell(sbs.notices);
        Output output{{path, std::move(sbs.value)}, fileNames[i]};
        const auto same =
            std::find_if(outputs.begin(), outputs.end(), [&](const Output& o) { return o.file.path == path; });
        if (same == outputs.end()) {
            outputs.push_back(std::move(output));
            continue;
        }
        prompter.message(fileNames[i] + " and " + same->input + " hold the same subsector " + store.subsectorLetter +
                             ": " + fileNameOf(path) + " is written from " + fileNames[i],
                         MessageIcon::Exclamation);
        *same = std::move(output);
    }
    std::vector<FileToWrite> files;
    files.reserve(outputs.size());
    for (Output& output : outputs) files.push_back(std::move(output.file));
    const std::vector<Result<>> written = writeFilesTogether(files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (written[i]) {
            result.written.push_back(files[i].path);
        } else {
            prompter.message(written[i].error(), MessageIcon::Exclamation);
            result.skipped.push_back(outputs[i].input);
        }
    }
    if (progress && !result.cancelled) progress(count, count, {});
    return result;
}

BatchResult saveAllInFolderToSbs(SubsectorStore& store, Prompter& prompter, const std::string& folder,
                                 const std::vector<std::string>& fileNames, const std::string& reselect,
                                 bool unsavedChanges, const BatchProgress& progress) {
    const std::string stub = askBatchStub(prompter, applicationTitle());
    if (unsavedChanges && !fileNames.empty() && !prompter.confirmDiscard(applicationTitle())) {
        BatchResult declined;
        declined.cancelled = true;
        return declined;
    }
    BatchResult result = convertFilesToSbs(store, prompter, folder, fileNames, stub, progress);
    if (!reselect.empty()) loadListedFile(store, prompter, folder, reselect);
    prompter.beep();
    prompter.beep();
    return result;
}

}  // namespace qelvar
