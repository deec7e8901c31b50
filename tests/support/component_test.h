// A test of the zip component on real files: the component started with one
// try for a locked file, a fresh temporary folder, the component stopped again.
#ifndef TESTS_SUPPORT_COMPONENT_TEST_H
#define TESTS_SUPPORT_COMPONENT_TEST_H

#include <gtest/gtest.h>

#include "component_calls.h"
#include "mvwrap.h"
#include "temp_dir.h"

class ComponentTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunMorvane(), MVWRAP_OK);
        SetRetries(1, 0);
    }
    void TearDown() override { StopMorvane(); }

    TempDir dir;
};

#endif
