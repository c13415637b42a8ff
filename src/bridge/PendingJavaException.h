#pragma once

namespace Zelkor::Marvane {

// Thrown inside the bridge when a JNI call left a Java exception pending (a
// missing class or method, an exception thrown by a Java callback). The entry
// boundary turns it into an ordinary return, so Java sees its own exception.
struct PendingJavaException {};

}  // namespace Zelkor::Marvane
