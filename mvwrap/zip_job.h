// One Zzip call: adding the files a pattern finds to an archive, keeping
// what the archive already holds except the entries the new files replace.
#ifndef MVWRAP_ZIP_JOB_H
#define MVWRAP_ZIP_JOB_H

#include <stdint.h>

#include <string>
#include <vector>

#include "entry_writer.h"
#include "options.h"

namespace mvwrap {

struct ZipRequest {
    std::wstring archive;
    std::wstring folder;                // ends in a separator
    std::wstring files;                 // file pattern within each folder
    std::vector<std::wstring> leftOut;  // files never packed, however found
    ZipOptions options;
    int level;
    int depth;
    RetryPolicy retry;
    int workers = 1;  // compressing threads
};

// Returns 0 or an error number; on error the archive is as it was before.
int32_t RunZipJob(const ZipRequest& request);

}  // namespace mvwrap

#endif
