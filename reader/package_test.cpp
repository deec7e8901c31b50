#include "package_test.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "archive_check.h"
#include "archive_names.h"
#include "entry_data.h"
#include "opened_package.h"
#include "stub_messages.h"

namespace {

// The entries still to check are handed out in the archive's order; once
// one fails, no later one is started, but every earlier one is finished, so
// that the first fault is known for certain.
class EntryChecks {
public:
    EntryChecks(stub::ByteSource& archive, const stub::ZipDirectory& directory)
        : archive_(archive), directory_(directory), firstFault_(directory.Count()) {}

    void Work() {
        for (uint32_t i = next_++; i < std::min(firstFault_.load(), directory_.Count());
             i = next_++) {
            stub::DiscardSink nowhere;
            stub::UnpackResult result = stub::UnpackEntry(archive_, directory_[i], nowhere);
            if (result == stub::UnpackResult::kOk) continue;
            uint32_t fault = firstFault_.load();
            while (i < fault && !firstFault_.compare_exchange_weak(fault, i)) {
            }
            results_[i] = result;
        }
    }

    // The first fault's index and result; Count() when there is none.
    uint32_t FirstFault() const { return firstFault_; }
    stub::UnpackResult Result(uint32_t i) const { return results_.at(i); }

private:
    stub::ByteSource& archive_;
    const stub::ZipDirectory& directory_;
    std::atomic<uint32_t> next_{0}, firstFault_;
    std::vector<stub::UnpackResult> results_ =
        std::vector<stub::UnpackResult>(directory_.Count(), stub::UnpackResult::kOk);
};

}  // namespace

int TestPackage(const std::string& path) {
    OpenedPackage package;
    if (!package.Open(path, OpenedPackage::Purpose::kTest)) return 1;
    EntryChecks checks(package.Archive(), package.Directory());
    std::vector<std::thread> helpers(std::max(1u, std::thread::hardware_concurrency()) - 1);
    for (std::thread& helper : helpers) helper = std::thread(&EntryChecks::Work, &checks);
    checks.Work();
    for (std::thread& helper : helpers) helper.join();
    uint32_t fault = checks.FirstFault();
    if (fault < package.Directory().Count()) {
        char why[stub::kWhyRoom];
        stub::DescribeUnpackFault(checks.Result(fault), package.Directory()[fault].name, why);
        stub::ShowError("%s", why);
        return 1;
    }
    stub::ShowNote(false, "The package is complete.");
    return 0;
}
