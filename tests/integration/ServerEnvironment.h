#pragma once

#include "ServerEnv.h"

#include <gtest/gtest.h>

class TServerEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(LoadServerEnvironment())
            << "No servers: run through ctest, or start them with scripts/servers start DIR and set TAVELKO_TEST_STATE=DIR";
    }
};
