#include "core/Guarded.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(Guarded, RunsTheStep)
{
    int runs = 0;
    Guarded::run([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

TEST(Guarded, WhatAStepThrowsEndsOnlyThatStep)
{
    int steps = 0;
    Guarded::run([&] {
        ++steps;
        throw std::runtime_error("disk full");
    });
    Guarded::run([&] {
        ++steps;
        throw 42;
    });
    Guarded::run([&] { ++steps; });
    EXPECT_EQ(steps, 3);
}
