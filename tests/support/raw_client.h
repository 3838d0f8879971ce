#pragma once
// A client that opens a device like a terminal program and reads whatever comes, byte for
// byte: for the tests that look at the exact bytes on the line.

#include <string>

namespace orlin::test {

class RawClient {
public:
    explicit RawClient(const std::string& path);  // throws std::runtime_error
    ~RawClient();
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    void send(const std::string& bytes);
    // Reads until `end` has arrived (returns everything read) or the time is up.
    std::string readUntil(const std::string& end, int timeoutMs = 2000);
    // Reads whatever arrives until the line has been quiet for `quietMs`.
    std::string readQuiet(int quietMs = 200);
    // One read() after waiting up to timeoutMs; counts the separate reads that data took.
    std::string readOnce(int timeoutMs);
    int reads() const { return reads_; }
    bool hungUp() const { return hungUp_; }

private:
    int fd_ = -1;
    int reads_ = 0;
    bool hungUp_ = false;
};

}  // namespace orlin::test
