#pragma once

#include <ostream>
#include <string>
#include <utility>

namespace Zelkor {

// Base of every failure the library reports. It records the source unit
// (file name without extension) and the line that raised it.
class Exception {
public:
    Exception(std::string newFileName, int newLineNumber)
        : fileName(std::move(newFileName)), lineNumber(newLineNumber) {}
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;
    virtual ~Exception() = default;

    std::string getFileName() const { return fileName; }
    int getLineNumber() const { return lineNumber; }

private:
    std::string fileName;
    int lineNumber;
};

// Writes "Unit[line] Exception occurred." with no line end.
std::ostream& operator<<(std::ostream& os, const Exception& e);

}  // namespace Zelkor
