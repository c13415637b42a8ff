#pragma once

#include <exception>
#include <ostream>
#include <string>
#include <utility>

namespace Zelkor {

// Base of every failure the library reports. It records the source unit
// (file name without extension) and the line that raised it. what() says in
// words what went wrong and then where, e.g. "invalid polygon: the edge from
// 3,5 to 0,0 is neither horizontal nor vertical (at Polygon[253])"; the
// stream form below stays the terse line that error logs are matched on.
class Exception : public std::exception {
public:
    Exception(std::string newFileName, int newLineNumber)
        : Exception(std::move(newFileName), newLineNumber, "the library failed") {}
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;
    ~Exception() override = default;

    std::string getFileName() const { return fileName; }
    int getLineNumber() const { return lineNumber; }
    const char* what() const noexcept override { return description.c_str(); }

protected:
    // `whatWentWrong` is the description without the place.
    Exception(std::string newFileName, int newLineNumber, const std::string& whatWentWrong)
        : fileName(std::move(newFileName)),
          lineNumber(newLineNumber),
          description(whatWentWrong + " (at " + fileName + "[" + std::to_string(lineNumber) + "])") {}

private:
    std::string fileName;
    int lineNumber;
    std::string description;
};

// Writes "Unit[line] Exception occurred." with no line end, whatever the
// exception's description.
std::ostream& operator<<(std::ostream& os, const Exception& e);

}  // namespace Zelkor
