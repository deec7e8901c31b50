#include "failures.h"

#include <map>

#include "ansi_text.h"

namespace mvwrap {

namespace {

std::map<int, std::string>& Subjects() {
    static std::map<int, std::string> subjects;
    return subjects;
}

}  // namespace

int32_t Fail(MvwrapError number, const std::wstring& subject) noexcept {
    // Without memory for the subject, the message is the one naming nothing.
    try {
        Subjects()[number] = ToAnsi(subject);
    } catch (...) {
        Subjects().erase(number);
    }
    return number;
}

std::string FailureSubject(int number) {
    auto found = Subjects().find(number);
    return found == Subjects().end() ? std::string() : found->second;
}

}  // namespace mvwrap
