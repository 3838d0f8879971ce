#pragma once
// What every operation of a core hands back to its caller (see docs/architecture.md): a report
// that holds what was done also when a failure ended the operation half-way. The operation
// does not raise once it has begun; the failure (a port failure, a time-out, an answer that
// cannot be cut, the window closing) is kept in the report, and the caller raises it with
// RaiseFailure() after it has shown what was done.

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "link/errors.h"

namespace orlin {

struct OperationReport {
    // What ended the operation before its end; null when it ran to its end.
    std::exception_ptr failure;

    bool Failed() const { return failure != nullptr; }
    // Raises the failure, if there is one, as it was raised.
    void RaiseFailure() const {
        if (failure) std::rethrow_exception(failure);
    }
};

// The failure's message (UTF-8, as OrlinError carries it), empty when there is none.
inline std::string FailureMessage(const OperationReport& report) {
    if (!report.failure) return std::string();
    try {
        std::rethrow_exception(report.failure);
    } catch (const std::exception& e) {
        return e.what();
    }
}

// Runs `body`. A failure it raises (an OrlinError) ends it and goes into report.failure;
// anything else passes.
template <typename Body>
void KeepFailure(OperationReport& report, Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const OrlinError&) {
        report.failure = std::current_exception();
    }
}

// What a write or a delete of several items did, by their ids (slots, message indexes). Each
// id given lands in exactly one place: done, refused, unsent, or unanswered.
template <typename Id>
struct ListChange : OperationReport {
    std::vector<Id> done;     // the phone took it
    std::vector<Id> refused;  // the phone refused it: that item is as it was
    // The phone's final answer line for each id of `refused`, in the same order ("" when the
    // operation does not keep it).
    std::vector<std::string> refusals;
    std::vector<Id> unsent;  // never sent: a stop, a failure or a refusal came first
    // Sent, but its answer never came (the failure): it holds what it held or the new content.
    std::optional<Id> unanswered;
    // The phone refused the opening command (access to the storage, the character set):
    // nothing was sent, every id is in `unsent`.
    bool refusedAccess = false;
    bool stopped = false;  // the user stopped it; `unsent` holds the rest

    void Refuse(const Id& id, const std::string& answerLine = std::string()) {
        refused.push_back(id);
        refusals.push_back(answerLine);
    }
    // The ids of `all` that are in none of done, refused and unanswered go to `unsent`.
    void LeaveUnsent(const std::vector<Id>& all) {
        for (const Id& id : all) {
            const auto in = [&](const std::vector<Id>& list) {
                for (const Id& each : list)
                    if (each == id) return true;
                return false;
            };
            if (!in(done) && !in(refused) && !in(unsent) && unanswered != id) unsent.push_back(id);
        }
    }
    // Every id was done.
    bool Whole() const {
        return !Failed() && refused.empty() && unsent.empty() && !unanswered && !refusedAccess;
    }
};

// Slots of the phonebook and the datebook.
using SlotChange = ListChange<int>;

}  // namespace orlin
