#pragma once
// The exceptions of the program. Every failure is an exception derived from
// OrlinError and carries the text that the error box shows, in UTF-8.

#include <stdexcept>
#include <string>

namespace orlin {

class OrlinError : public std::runtime_error {
public:
    explicit OrlinError(const std::string& message) : std::runtime_error(message) {}
};

// A text that should have been an integer: "'%s' is not a valid integer value".
class EConvertError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// A file that cannot be opened, read or written ("File not found", or the system's text).
class EInOutError : public OrlinError {
public:
    using OrlinError::OrlinError;
};

// A file that could not be read or written: the system's text, and the file's name for a front
// end that names it (orlin-cli does; the window's boxes show the text alone).
class EFileError : public EInOutError {
public:
    EFileError(const std::string& message, const std::string& path)
        : EInOutError(message), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace orlin
