#include "files/batch.h"

#include "store/paths.h"
#include "store/subsector_store.h"
#include "files/loader.h"
#include "files/sbs.h"
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
    if (status != LoadStatus::Loaded) return false;
    store.unsavedChanges = 0;
    return true;
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
    BatchResult result;
    const std::size_t count = fileNames.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (progress && !progress(i, count, fileNames[i])) {
            result.cancelled = true;
            break;
        }
        store.batchMode = 1;
        if (!loadListedFile(store, prompter, folder, fileNames[i])) {
            result.skipped.push_back(fileNames[i]);
            continue;
        }
        const std::string output = batchOutputName(folder, stub, store.subsectorLetter);
        prompter.processEvents();
        std::string tagText = output;
        if (saveSbs(store, prompter, tagText, folder)) {
            result.written.push_back(output);
        } else {
            result.skipped.push_back(fileNames[i]);
        }
    }
    if (progress && !result.cancelled) progress(count, count, {});
    store.batchMode = 0;
    return result;
}

BatchResult saveAllInFolderToSbs(SubsectorStore& store, Prompter& prompter, const std::string& folder,
                                 const std::vector<std::string>& fileNames, const std::string& reselect,
                                 const BatchProgress& progress) {
    const std::string stub = askBatchStub(prompter, store.appTitle);
    if (store.unsavedChanges == 1 && !fileNames.empty() && !prompter.confirmDiscard(store.appTitle)) {
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
