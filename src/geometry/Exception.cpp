#include "geometry/Exception.h"

namespace Zelkor {

std::ostream& operator<<(std::ostream& os, const Exception& e) {
    return os << e.getFileName() << "[" << e.getLineNumber() << "]" << " Exception occurred.";
}

}  // namespace Zelkor
