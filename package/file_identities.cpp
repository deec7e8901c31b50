#include "file_identities.h"

#include "list_order.h"
#include "path_helpers.h"

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
    PathIdentity first, second;
    if (IdentityOfPath(a, first) && IdentityOfPath(b, second)) return first == second;
    return SameTextIgnoringCase(a, b);
}

}  // namespace

bool FolderWithin(const std::string& folder, const std::string& outer) {
    const std::string target = StripBackslash(outer);
    for (std::string at = StripBackslash(folder);;) {
        if (SameFolder(at, target)) return true;
        const std::string above = StripBackslash(FolderPart(at));
        if (above.empty() || above == at) return false;
        at = above;
    }
}
