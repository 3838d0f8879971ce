#pragma once
// Wall-clock time on a monotonic clock, for the tests that check that something waited
// (or did not wait) for a time-out.

#include <chrono>

namespace orlin::test {

// Milliseconds elapsed since the stopwatch was made.
class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    long long Elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Milliseconds that `fn` takes.
template <typename Fn>
long long MillisecondsOf(Fn&& fn) {
    const Stopwatch watch;
    fn();
    return watch.Elapsed();
}

}  // namespace orlin::test
