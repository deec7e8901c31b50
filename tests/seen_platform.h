// The platform as the test process sees it (the Windows version Wine is set
// to, or the real one), so that a test checks the way the stubs must take
// there: whether they have job objects, and where they note what is removed
// at the next restart.
#ifndef TESTS_SEEN_PLATFORM_H
#define TESTS_SEEN_PLATFORM_H

#include <string>

// Windows 95, 98 or ME.
bool OnWindows95Line();
// Windows 2000 or later.
bool HasJobObjects();

// Both lists of what is removed at the next restart, WININIT.INI's lines
// and the NT line's pending moves, put back as they were when this ends.
class RestartLists {
public:
    RestartLists();
    ~RestartLists();
    RestartLists(const RestartLists&) = delete;
    RestartLists& operator=(const RestartLists&) = delete;

    std::string Wininit() const;
    std::string PendingMoves() const;

private:
    bool hadWininit_;
    std::string wininit_;
    bool hadPendingMoves_;
    std::string pendingMoves_;
};

#endif
