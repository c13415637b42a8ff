#pragma once

#include <jni.h>

#include <exception>
#include <string>
#include <vector>

#include "bridge/PendingJavaException.h"
#include "geometry/Exception.h"
#include "geometry/Segment.h"

namespace Zelkor::Marvane {

// Remembers the calling thread's environment for crash reports and installs
// terminateHandler as the process's termination handler.
void registerTerminateHandler(JNIEnv* jniEnv);

// Sends "Uncaught exception thrown in back end" to CrashHandler.fatalErrorOccurred
// through the environment of the crashing thread, then aborts the process.
[[noreturn]] void terminateHandler();

void printToErrorLog(JNIEnv* jniEnv, const std::string& errorMessage);
// Logs errorMessage, ":\n\t" and the exception's stream form.
void printToErrorLog(JNIEnv* jniEnv, const std::string& errorMessage, Zelkor::Exception e);

// Throws PendingJavaException when the last JNI call left a Java exception pending.
void throwIfJavaExceptionPending(JNIEnv* jniEnv);
jclass findClass(JNIEnv* jniEnv, const char* classPath);
jmethodID findMethod(JNIEnv* jniEnv, jclass javaClass, const char* name, const char* descriptor);

// Copies a Java string; a null string reads as the empty text.
std::string readString(JNIEnv* jniEnv, jstring javaString);
jstring newString(JNIEnv* jniEnv, const std::string& text);

// A String[] of segment texts, in array order. A null array reads as empty
// and null elements are skipped.
std::vector<Zelkor::Rectilinear::Segment> createSegmentVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                             jobjectArray segmentArray);

// The frame every native method shares: register the crash hook, run the body,
// and route failures. A pending Java exception returns `T{}` so Java sees it;
// any other exception ends the process through the crash report.
template <typename Body>
auto runNativeEntry(JNIEnv* jniEnv, Body&& body) noexcept -> decltype(body()) {
    registerTerminateHandler(jniEnv);
    try {
        return body();
    } catch (const PendingJavaException&) {
        return decltype(body()){};
    } catch (...) {
        std::terminate();
    }
}

}  // namespace Zelkor::Marvane
