// The archive operations of the interface: checking what the caller passed,
// then handing the work to the zip job or the archive reader.
#include "mvwrap.h"

#include "ansi_text.h"
#include "archive_file.h"
#include "barrier.h"
#include "caller_text.h"
#include "compressor_pool.h"
#include "failures.h"
#include "file_system.h"
#include "known_archive.h"
#include "options.h"
#include "state.h"
#include "zip_job.h"
#include "zip_reader.h"

namespace {

using mvwrap::Fail;
using mvwrap::State;

std::string Text(const char* text) { return text ? text : ""; }

int32_t ZipFiles(const char* archive, const char* pattern, const char* options,
                 const char* password, const int32_t* level) {
    if (!State().running) return MVWRAP_NOT_RUNNING;
    if (!level) return Fail(MVWRAP_BAD_ARGUMENT, L"");
    if (!Text(password).empty()) return Fail(MVWRAP_PASSWORD, L"");
    mvwrap::ZipRequest request;
    std::string badWord;
    if (!mvwrap::ParseOptions(Text(options), request.options, badWord))
        return Fail(MVWRAP_BAD_OPTION, mvwrap::FromAnsi(badWord));
    if (!mvwrap::ValidLevel(*level)) return Fail(MVWRAP_BAD_LEVEL, std::to_wstring(*level));
    std::wstring fullPattern = mvwrap::FromAnsi(Text(pattern));
    if (!mvwrap::SplitPattern(fullPattern, request.folder, request.files))
        return Fail(MVWRAP_BAD_PATTERN, fullPattern);
    request.archive = mvwrap::FromAnsi(Text(archive));
    request.level = *level;
    request.depth = State().searchLimit;
    request.leftOut = State().leftOut;
    request.retry = {State().retryCount < 1 ? 1 : State().retryCount,
                     State().retrySeconds < 0 ? 0 : State().retrySeconds};
    request.workers = mvwrap::WorkerCount();
    return mvwrap::RunZipJob(request);
}

// Counts what the same check that Zzip makes before adding finds: an archive
// Zzip would refuse as damaged counts 0 here, and the one Zzip wrote last,
// unchanged, is taken as written, as Zzip takes it.
int32_t CountEntries(const char* archive) {
    std::vector<std::string>& listing = State().listing;
    listing.clear();
    if (!State().running) return 0;
    std::wstring path = mvwrap::FromAnsi(Text(archive));
    mvwrap::File file;
    uint64_t length = 0, directoryOffset = 0;
    if (!mvwrap::OpenExistingFile(path, false, file) || !mvwrap::FileLength(file.get(), length))
        return 0;
    std::vector<mvwrap::StoredEntry> read;
    const std::vector<mvwrap::StoredEntry>* entries =
        mvwrap::KnownEntries(path, file.get(), length, directoryOffset);
    if (!entries) {
        if (!mvwrap::ReadArchive(file.get(), read)) return 0;
        entries = &read;
    }
    listing.reserve(entries->size());
    for (const mvwrap::StoredEntry& entry : *entries)
        listing.push_back(mvwrap::ToAnsi(mvwrap::EntryName(entry.record)));
    return static_cast<int32_t>(listing.size());
}

}  // namespace

int32_t __stdcall Zzip(const char* archive, const char* pattern, const char* options,
                       const char* password, const int32_t* level) {
    return mvwrap::Guarded(
        [&] { return ZipFiles(archive, pattern, options, password, level); },
        [](int32_t error) { return Fail(static_cast<MvwrapError>(error), L""); });
}

int32_t __stdcall ZipCount(const char* archive) {
    return mvwrap::Guarded([&] { return CountEntries(archive); },
                           [](int32_t) {
                               State().listing.clear();
                               return 0;
                           });
}

char* __stdcall Zipped(const int32_t* index) {
    return mvwrap::Guarded(
        [&] {
            const std::vector<std::string>& listing = State().listing;
            if (!State().running || !index || *index < 0 ||
                static_cast<size_t>(*index) >= listing.size())
                return mvwrap::CallerText("");
            return mvwrap::CallerText(listing[static_cast<size_t>(*index)].c_str());
        },
        [](int32_t) { return mvwrap::CallerText(""); });
}
