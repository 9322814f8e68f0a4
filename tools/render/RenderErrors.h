#pragma once

#include <stdexcept>

// The two ways vantor-render can end early, each with its own exit code.

// The command line itself is wrong: exit code 2.
struct UsageError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// The command line was fine but the work could not be done: exit code 1.
struct RenderFailure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};
