// The archive operations of the interface: checking what the caller passed,
// then handing the work to the zip job or the archive reader.
#include "mvwrap.h"

#include "failures.h"
#include "handles.h"
#include "options.h"
#include "state.h"
#include "text_codes.h"
#include "zip_job.h"
#include "zip_reader.h"

namespace {

std::string Text(const char* text) { return text ? text : ""; }

}  // namespace

using mvwrap::Fail;
using mvwrap::State;

int32_t __stdcall Zzip(const char* archive, const char* pattern, const char* options,
                       const char* password, const int32_t* level) {
    if (!State().running) return MVWRAP_NOT_RUNNING;
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
    request.retry = {State().retryCount < 1 ? 1 : State().retryCount,
                     State().retrySeconds < 0 ? 0 : State().retrySeconds};
    return mvwrap::RunZipJob(request);
}

int32_t __stdcall ZipCount(const char* archive) {
    if (!State().running) return 0;
    std::vector<std::string>& listing = State().listing;
    listing.clear();
    std::wstring path = mvwrap::FromAnsi(Text(archive));
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr));
    std::vector<std::string> records;
    if (!file.valid() || !mvwrap::ReadCentralDirectory(file.get(), records)) return 0;
    for (const std::string& record : records)
        listing.push_back(mvwrap::ToAnsi(mvwrap::EntryName(record)));
    return static_cast<int32_t>(listing.size());
}

char* __stdcall Zipped(const int32_t* index) {
    const std::vector<std::string>& listing = State().listing;
    if (!State().running || *index < 0 || static_cast<size_t>(*index) >= listing.size())
        return mvwrap::CallerText("");
    return mvwrap::CallerText(listing[static_cast<size_t>(*index)].c_str());
}
