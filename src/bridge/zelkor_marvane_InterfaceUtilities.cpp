#include "bridge/zelkor_marvane_InterfaceUtilities.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "bridge/JavaNames.h"
#include "bridge/ScopedLocalRef.h"
#include "geometry/CoordinateRangeException.h"
#include "geometry/InvalidPolygonException.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Marvane {

namespace {

// The environment of the most recent native call on this thread. A JNI
// environment is valid only on its own thread, and the termination handler
// runs on the thread that failed, so each thread keeps its own slot and no
// lock is needed.
thread_local JNIEnv* jniEnvironmentToReportUnexpectedExceptionsTo = nullptr;

void callStaticStringConsumer(JNIEnv* jniEnv, const char* classPath, const char* method, const std::string& text) {
    ScopedLocalRef<jclass> javaClass(jniEnv, jniEnv->FindClass(classPath));
    if (!javaClass) return;
    const jmethodID methodId = jniEnv->GetStaticMethodID(javaClass.get(), method, JavaNames::stringConsumerDescriptor);
    if (methodId == nullptr) return;
    ScopedLocalRef<jstring> javaText(jniEnv, jniEnv->NewStringUTF(text.c_str()));
    if (!javaText) return;
    jniEnv->CallStaticVoidMethod(javaClass.get(), methodId, javaText.get());
}

// When the failure is a refused shape, or a result that would leave the
// coordinate range, its reason goes to standard error, so that the output of
// the ending process says which input ended it.
void writeReasonOfRefusedShape() {
    const std::exception_ptr failure = std::current_exception();
    if (!failure) return;
    auto write = [](const char* kind, const Zelkor::Exception& e, const std::string& reason) {
        if (reason.empty()) return;
        std::fprintf(stderr, "%s (%s[%d]): %s\n", kind, e.getFileName().c_str(), e.getLineNumber(), reason.c_str());
        std::fflush(stderr);
    };
    try {
        std::rethrow_exception(failure);
    } catch (const Zelkor::Rectilinear::InvalidPolygonException& e) {
        write("InvalidPolygonException", e, e.getReason());
    } catch (const Zelkor::Rectilinear::CoordinateRangeException& e) {
        write("CoordinateRangeException", e, e.getReason());
    } catch (...) {
    }
}

}  // namespace

void registerTerminateHandler(JNIEnv* jniEnv) {
    jniEnvironmentToReportUnexpectedExceptionsTo = jniEnv;
    std::set_terminate(terminateHandler);
}

void terminateHandler() {
    writeReasonOfRefusedShape();
    JNIEnv* jniEnv = jniEnvironmentToReportUnexpectedExceptionsTo;
    if (jniEnv != nullptr) {
        // A pending Java exception would forbid the calls below.
        if (jniEnv->ExceptionCheck()) jniEnv->ExceptionClear();
        callStaticStringConsumer(jniEnv, JavaNames::crashHandlerClass, JavaNames::fatalErrorOccurredMethod,
                                 JavaNames::crashReportText);
    }
    std::abort();
}

void printToErrorLog(JNIEnv* jniEnv, const std::string& errorMessage) {
    callStaticStringConsumer(jniEnv, JavaNames::errorLogHandlerClass, JavaNames::logMethod, errorMessage);
}

void printToErrorLog(JNIEnv* jniEnv, const std::string& errorMessage, Zelkor::Exception e) {
    std::ostringstream line;
    line << errorMessage << ":\n\t" << e;
    printToErrorLog(jniEnv, line.str());
}

void throwIfJavaExceptionPending(JNIEnv* jniEnv) {
    if (jniEnv->ExceptionCheck()) throw PendingJavaException{};
}

jclass findClass(JNIEnv* jniEnv, const char* classPath) {
    const jclass javaClass = jniEnv->FindClass(classPath);
    if (javaClass == nullptr) throw PendingJavaException{};
    return javaClass;
}

jmethodID findMethod(JNIEnv* jniEnv, jclass javaClass, const char* name, const char* descriptor) {
    const jmethodID methodId = jniEnv->GetMethodID(javaClass, name, descriptor);
    if (methodId == nullptr) throw PendingJavaException{};
    return methodId;
}

std::string readString(JNIEnv* jniEnv, jstring javaString) {
    if (javaString == nullptr) return {};
    const char* characters = jniEnv->GetStringUTFChars(javaString, nullptr);
    if (characters == nullptr) throw PendingJavaException{};
    // Released on every way out, a failing copy included.
    struct Release {
        JNIEnv* jniEnv;
        jstring javaString;
        const char* characters;
        ~Release() { jniEnv->ReleaseStringUTFChars(javaString, characters); }
    } release{jniEnv, javaString, characters};
    return std::string(characters);
}

Zelkor::Rectilinear::Polygon readPolygon(JNIEnv* jniEnv, jstring polygonText) {
    return Zelkor::Rectilinear::Math::readValidPolygon(readString(jniEnv, polygonText), "");
}

Zelkor::Rectilinear::HoledPolygon readHoledPolygon(JNIEnv* jniEnv, jstring holedPolygonText) {
    return Zelkor::Rectilinear::Math::readValidHoledPolygon(readString(jniEnv, holedPolygonText));
}

std::optional<Zelkor::Rectilinear::Segment> readSegment(JNIEnv* jniEnv, jstring segmentText) {
    const std::string text = readString(jniEnv, segmentText);
    if (text.empty()) return std::nullopt;
    return Zelkor::Rectilinear::Segment(text);
}

int readWidth(jint width) {
    return width < 0 ? 0 : width;
}

jstring newString(JNIEnv* jniEnv, const std::string& text) {
    const jstring javaString = jniEnv->NewStringUTF(text.c_str());
    if (javaString == nullptr) throw PendingJavaException{};
    return javaString;
}

namespace {

// Calls `read(text)` once per element of a String[], in order; a null element
// reads as the empty text.
template <typename Read>
void readStringElements(JNIEnv* jniEnv, jobjectArray stringArray, Read read) {
    if (stringArray == nullptr) return;
    const jsize length = jniEnv->GetArrayLength(stringArray);
    for (jsize index = 0; index < length; ++index) {
        ScopedLocalRef<jstring> element(jniEnv, static_cast<jstring>(jniEnv->GetObjectArrayElement(stringArray, index)));
        read(readString(jniEnv, element.get()));
    }
}

}  // namespace

std::vector<Zelkor::Rectilinear::Segment> createSegmentVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                             jobjectArray segmentArray) {
    std::vector<Zelkor::Rectilinear::Segment> segments;
    readStringElements(jniEnv, segmentArray, [&](const std::string& text) {
        if (!text.empty()) segments.emplace_back(text);
    });
    return segments;
}

std::vector<Zelkor::Rectilinear::HoledPolygon> createHoledPolygonVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                                      jobjectArray shapeArray) {
    std::vector<Zelkor::Rectilinear::HoledPolygon> holedPolygons;
    readStringElements(jniEnv, shapeArray, [&](const std::string& text) {
        holedPolygons.push_back(Zelkor::Rectilinear::Math::readValidHoledPolygon(text));
    });
    return holedPolygons;
}

namespace {

// Calls `append(text, name)` once per row of a shape array, in order, with the
// row's polygon text as given and its name. A row that is neither a polygon
// text nor a String[] (null, say), or an empty String[], reads as the empty
// text without a name, so answers stay aligned with the caller's rows.
template <typename Append>
void readShapeRows(JNIEnv* jniEnv, jobjectArray shapeArray, Append append) {
    if (shapeArray == nullptr) return;
    ScopedLocalRef<jclass> stringClass(jniEnv, findClass(jniEnv, JavaNames::stringClass));
    ScopedLocalRef<jclass> stringArrayClass(jniEnv, findClass(jniEnv, JavaNames::stringArrayClass));
    const jsize length = jniEnv->GetArrayLength(shapeArray);
    for (jsize index = 0; index < length; ++index) {
        ScopedLocalRef<jobject> row(jniEnv, jniEnv->GetObjectArrayElement(shapeArray, index));
        if (row && jniEnv->IsInstanceOf(row.get(), stringClass.get())) {
            append(readString(jniEnv, static_cast<jstring>(row.get())), std::string());
            continue;
        }
        const jsize pairLength =
            row && jniEnv->IsInstanceOf(row.get(), stringArrayClass.get())
                ? jniEnv->GetArrayLength(static_cast<jobjectArray>(row.get()))
                : 0;
        if (pairLength == 0) {
            append(std::string(), std::string());
            continue;
        }
        const auto pair = static_cast<jobjectArray>(row.get());
        ScopedLocalRef<jstring> first(jniEnv, static_cast<jstring>(jniEnv->GetObjectArrayElement(pair, 0)));
        if (pairLength == 1) {
            append(readString(jniEnv, first.get()), std::string());
            continue;
        }
        ScopedLocalRef<jstring> second(jniEnv, static_cast<jstring>(jniEnv->GetObjectArrayElement(pair, 1)));
        append(readString(jniEnv, second.get()), readString(jniEnv, first.get()));
    }
}

}  // namespace

Zelkor::Rectilinear::PolygonSet createPolygonSetFromJObjectArray(JNIEnv* jniEnv, jobjectArray shapeArray) {
    Zelkor::Rectilinear::PolygonSet polygonSet;
    readShapeRows(jniEnv, shapeArray, [&](const std::string& text, std::string name) {
        polygonSet.add(Zelkor::Rectilinear::Math::readValidPolygon(text, std::move(name)));
    });
    return polygonSet;
}

std::vector<Zelkor::Rectilinear::Polygon> createPolygonVectorFromJObjectArray(JNIEnv* jniEnv,
                                                                            jobjectArray shapeArray) {
    std::vector<Zelkor::Rectilinear::Polygon> polygons;
    readShapeRows(jniEnv, shapeArray, [&](const std::string& text, std::string name) {
        polygons.push_back(Zelkor::Rectilinear::Math::readValidPolygon(text, std::move(name)));
    });
    return polygons;
}

std::vector<Zelkor::Rectilinear::Polygon> createHostVectorFromJObjectArray(JNIEnv* jniEnv, jobjectArray shapeArray) {
    std::vector<Zelkor::Rectilinear::Polygon> hosts;
    readShapeRows(jniEnv, shapeArray, [&](const std::string& text, std::string name) {
        hosts.push_back(Zelkor::Rectilinear::Math::readValidPolygon(text, name.empty() ? text : std::move(name)));
    });
    return hosts;
}

jobjectArray createJObjectArrayFromPolygonSet(JNIEnv* jniEnv, const Zelkor::Rectilinear::PolygonSet& polygonSet) {
    ScopedLocalRef<jclass> stringArrayClass(jniEnv, findClass(jniEnv, JavaNames::stringArrayClass));
    ScopedLocalRef<jclass> stringClass(jniEnv, findClass(jniEnv, JavaNames::stringClass));
    const jobjectArray rows = jniEnv->NewObjectArray(polygonSet.size(), stringArrayClass.get(), nullptr);
    throwIfJavaExceptionPending(jniEnv);
    for (int ii = 0; ii < polygonSet.size(); ++ii) {
        const Zelkor::Rectilinear::Polygon& polygon = polygonSet.getPolygon(ii);
        ScopedLocalRef<jobjectArray> row(jniEnv, jniEnv->NewObjectArray(2, stringClass.get(), nullptr));
        throwIfJavaExceptionPending(jniEnv);
        ScopedLocalRef<jstring> name(jniEnv, newString(jniEnv, polygon.getName()));
        ScopedLocalRef<jstring> text(jniEnv, newString(jniEnv, polygon.toString()));
        jniEnv->SetObjectArrayElement(row.get(), 0, name.get());
        jniEnv->SetObjectArrayElement(row.get(), 1, text.get());
        jniEnv->SetObjectArrayElement(rows, ii, row.get());
    }
    return rows;
}

jobjectArray createRectilinearSegmentArray(JNIEnv* jniEnv, const std::vector<Zelkor::Rectilinear::Segment>& segments) {
    ScopedLocalRef<jclass> segmentClass(jniEnv, findClass(jniEnv, JavaNames::rectilinearSegmentClass));
    const jmethodID constructor =
        findMethod(jniEnv, segmentClass.get(), JavaNames::constructorMethod, JavaNames::fourIntConstructorDescriptor);
    const jobjectArray result =
        jniEnv->NewObjectArray(static_cast<jsize>(segments.size()), segmentClass.get(), nullptr);
    throwIfJavaExceptionPending(jniEnv);
    for (std::size_t index = 0; index < segments.size(); ++index) {
        const Zelkor::Rectilinear::Segment& segment = segments[index];
        ScopedLocalRef<jobject> element(
            jniEnv, jniEnv->NewObject(segmentClass.get(), constructor, segment.getStartPoint().x,
                                      segment.getStartPoint().y, segment.getEndPoint().x, segment.getEndPoint().y));
        throwIfJavaExceptionPending(jniEnv);
        jniEnv->SetObjectArrayElement(result, static_cast<jsize>(index), element.get());
    }
    return result;
}

jobject newAwtPoint(JNIEnv* jniEnv, const Zelkor::Rectilinear::Point& point) {
    ScopedLocalRef<jclass> pointClass(jniEnv, findClass(jniEnv, JavaNames::awtPointClass));
    const jmethodID constructor =
        findMethod(jniEnv, pointClass.get(), JavaNames::constructorMethod, JavaNames::twoIntConstructorDescriptor);
    const jobject javaPoint = jniEnv->NewObject(pointClass.get(), constructor, point.x, point.y);
    throwIfJavaExceptionPending(jniEnv);
    return javaPoint;
}

}  // namespace Zelkor::Marvane
