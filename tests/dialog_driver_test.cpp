#include <gtest/gtest.h>

#include "dialog_driver.h"

namespace {

// The helper itself is what later GUI tests lean on, so it gets checked
// against real message boxes.
TEST(DialogAnswerer, ReadsAMessageBoxAndPressesItsButton) {
    struct Case {
        UINT style;
        int button;
        bool icon;
    } cases[] = {
        {MB_OK, IDOK, false},
        {MB_OK | MB_ICONEXCLAMATION, IDOK, true},
        {MB_OKCANCEL, IDCANCEL, false},
    };
    for (const Case& c : cases) {
        DialogAnswerer answer("Answer me", c.button);
        int result = MessageBoxA(nullptr, "Hello there", "Answer me", c.style);
        answer.Join();
        EXPECT_TRUE(answer.Seen());
        EXPECT_EQ(result, c.button);
        EXPECT_EQ(answer.Text(), "Hello there");
        EXPECT_EQ(answer.HasIcon(), c.icon);
    }
}

}  // namespace
