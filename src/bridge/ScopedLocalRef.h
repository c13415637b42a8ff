#pragma once

#include <jni.h>

namespace Zelkor::Marvane {

// Owns one JNI local reference and deletes it on scope exit, so loops over
// Java arrays never exhaust the local reference table.
template <typename T>
class ScopedLocalRef {
public:
    ScopedLocalRef(JNIEnv* jniEnv, T reference) : jniEnv(jniEnv), reference(reference) {}
    ScopedLocalRef(const ScopedLocalRef&) = delete;
    ScopedLocalRef& operator=(const ScopedLocalRef&) = delete;
    ~ScopedLocalRef() {
        if (reference != nullptr) jniEnv->DeleteLocalRef(reference);
    }

    T get() const { return reference; }
    explicit operator bool() const { return reference != nullptr; }

private:
    JNIEnv* jniEnv;
    T reference;
};

}  // namespace Zelkor::Marvane
