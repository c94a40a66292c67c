#pragma once

#include <stdexcept>

// The one exception OpenPort raises; what() is one of the messages below, exactly.
class ECommsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static constexpr const char *AlreadyOpen = "Already have a comm file open";
    static constexpr const char *OpenFailed = "Error opening com port";
    static constexpr const char *NotACommHandle = "File handle is not a comm handle. ";
    static constexpr const char *NoReadThread = "Unable to create Read thread";
    static constexpr const char *NoWriteThread = "Unable to create Write thread";
};
