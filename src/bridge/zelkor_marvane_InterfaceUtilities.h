#pragma once

#include <jni.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "bridge/PendingJavaException.h"
#include "geometry/Exception.h"
#include "geometry/HoledPolygon.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "geometry/Segment.h"

namespace Zelkor::Marvane {

// Remembers the calling thread's environment for crash reports and installs
// terminateHandler as the process's termination handler.
void registerTerminateHandler(JNIEnv* jniEnv);

// Sends "Uncaught exception thrown in back end" to CrashHandler.fatalErrorOccurred
// through the environment of the crashing thread, then aborts the process. A
// refused shape's reason is written to standard error first.
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
// A polygon text argument, read with the empty name.
//
// Every shape text the bridge reads, here and in the arrays below, goes
// through the validating readers (geometry/ShapeValidation.h): a shape that
// crosses or runs over itself, encloses no area, or has holes out of place is
// refused with InvalidPolygonException, like a slanted edge, and ends in the
// crash report. The empty text stays the empty shape.
Zelkor::Rectilinear::Polygon readPolygon(JNIEnv* jniEnv, jstring polygonText);
// A holed-polygon text argument.
Zelkor::Rectilinear::HoledPolygon readHoledPolygon(JNIEnv* jniEnv, jstring holedPolygonText);

// A segment text argument. Null and the empty text are no segment: the entry
// then gives the answer for "no cut" or "nothing met".
std::optional<Zelkor::Rectilinear::Segment> readSegment(JNIEnv* jniEnv, jstring segmentText);

// A blade width, padding or sheet size argument. A negative value makes no
// physical sense (it would shrink the parts, let them overlap or mirror the
// sheet) and reads as 0.
int readWidth(jint width);

// A String[] of segment texts, in array order. A null array reads as empty;
// null elements and empty texts are no segment and are skipped.
std::vector<Zelkor::Rectilinear::Segment> createSegmentVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                             jobjectArray segmentArray);

// Shape arrays: each row is either a String[] {identifier, polygon text},
// naming the polygon, or a bare polygon text with the empty name. A null
// array reads as empty. Any other row (null, an empty String[], another type)
// reads as the empty polygon, so answers stay aligned with the caller's rows;
// a String[] row of one element is a bare polygon text; a null text reads as
// the empty polygon.
Zelkor::Rectilinear::PolygonSet createPolygonSetFromJObjectArray(JNIEnv* jniEnv, jobjectArray shapeArray);
std::vector<Zelkor::Rectilinear::Polygon> createPolygonVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                            jobjectArray shapeArray);
// The same for inventory hosts, where the empty name stands for the standard
// sheet: a host without a name is named by its polygon text, exactly as given,
// so that its groups name it.
std::vector<Zelkor::Rectilinear::Polygon> createHostVectorFromJObjectArray(JNIEnv* jniEnv, jobjectArray shapeArray);
// A String[] of holed-polygon texts, in array order. A null array reads as
// empty; a null element reads as the empty holed polygon, so indices into the
// caller's array stay valid.
std::vector<Zelkor::Rectilinear::HoledPolygon> createHoledPolygonVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                                      jobjectArray shapeArray);
// A String[][] of {name, polygon text} rows in the set's order (never null).
jobjectArray createJObjectArrayFromPolygonSet(JNIEnv* jniEnv, const Zelkor::Rectilinear::PolygonSet& polygonSet);

// A RectilinearSegment[] built from (start x, start y, end x, end y) of each
// segment, in order (never null).
jobjectArray createRectilinearSegmentArray(JNIEnv* jniEnv, const std::vector<Zelkor::Rectilinear::Segment>& segments);

jobject newAwtPoint(JNIEnv* jniEnv, const Zelkor::Rectilinear::Point& point);

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
