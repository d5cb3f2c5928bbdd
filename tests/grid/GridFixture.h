// The fixture every grid test uses: a host window that logs notifications.
#pragma once

#include <gtest/gtest.h>

#include "GridHost.h"
#include "Pump.h"

class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(400, 300));
        PumpPending();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        PumpPending();
    }

    CGridHost host;
};
