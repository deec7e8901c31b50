// Files moved out of a Create's way, each remembered with the name it had,
// letter case included, so that it can be put back exactly as it was: an
// earlier package waiting for the new one, or a file of someone else's at
// a name the Create works under. Nothing set aside is ever deleted but the
// earlier package, and only once the new one is complete.
#ifndef PACKAGE_SET_ASIDE_H
#define PACKAGE_SET_ASIDE_H

#include <string>
#include <vector>

class SetAside {
public:
    // Moves the file at path to `to`, or to a free name in its folder when
    // `to` is empty. False when it could not be moved: it is then still
    // where it was.
    bool Move(const std::string& path, const std::string& to = "");
    // Puts every file back under its own name, the last moved first. False
    // when one could not be, after saying where it waits.
    bool PutBack();
    // The file waiting at `place` (a `to` given to Move) has been replaced:
    // it goes instead of coming back.
    void Drop(const std::string& place);
    // Where the files wait, for leaving them out of the archive.
    std::vector<std::string> Places() const;

private:
    struct Moved {
        std::string from;  // as the folder spelled the name
        std::string to;
    };
    std::vector<Moved> moved_;
};

#endif
