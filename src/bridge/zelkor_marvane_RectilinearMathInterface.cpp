#include "bridge/zelkor_marvane_RectilinearMathInterface.h"

#include <optional>
#include <string>
#include <vector>

#include "bridge/JavaNames.h"
#include "bridge/ScopedLocalRef.h"
#include "bridge/zelkor_marvane_InterfaceUtilities.h"
#include "geometry/HoledPolygon.h"
#include "geometry/SegmentSplitting.h"

using Zelkor::Rectilinear::Segment;

namespace Zelkor::Marvane {
namespace {

// RectilinearSegment[] -> segments through each object's toString(). A null
// array reads as empty; null elements, and elements whose text is null or
// empty, are skipped.
std::vector<Segment> readRectilinearSegments(JNIEnv* jniEnv, jobjectArray segmentObjects, jmethodID toStringId) {
    std::vector<Segment> segments;
    if (segmentObjects == nullptr) return segments;
    const jsize length = jniEnv->GetArrayLength(segmentObjects);
    segments.reserve(static_cast<std::size_t>(length));
    for (jsize index = 0; index < length; ++index) {
        ScopedLocalRef<jobject> element(jniEnv, jniEnv->GetObjectArrayElement(segmentObjects, index));
        if (!element) continue;
        ScopedLocalRef<jstring> text(jniEnv, static_cast<jstring>(jniEnv->CallObjectMethod(element.get(), toStringId)));
        throwIfJavaExceptionPending(jniEnv);
        const std::string segmentText = readString(jniEnv, text.get());
        if (!segmentText.empty()) segments.emplace_back(segmentText);
    }
    return segments;
}

}  // namespace
}  // namespace Zelkor::Marvane

using namespace Zelkor::Marvane;

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_splitSegmentsBySegments(
    JNIEnv* jniEnv, jclass, jobjectArray jTargetSegments, jobjectArray jCuttingSegments) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        ScopedLocalRef<jclass> segmentClass(jniEnv, findClass(jniEnv, JavaNames::rectilinearSegmentClass));
        const jmethodID toStringId =
            findMethod(jniEnv, segmentClass.get(), JavaNames::toStringMethod, JavaNames::toStringDescriptor);
        const std::vector<Segment> targetSegments = readRectilinearSegments(jniEnv, jTargetSegments, toStringId);
        const std::vector<Segment> cuttingSegments = readRectilinearSegments(jniEnv, jCuttingSegments, toStringId);
        const std::vector<Segment> resultSegments =
            Zelkor::Rectilinear::Math::splitSegmentsBySegments(targetSegments, cuttingSegments);
        return createRectilinearSegmentArray(jniEnv, resultSegments);
    });
}

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_getPolygonLabelPosition(
    JNIEnv* jniEnv, jclass, jstring jPolygonToLabel) {
    return runNativeEntry(jniEnv, [&]() -> jobject {
        const Zelkor::Rectilinear::Polygon polygonToLabel = readPolygon(jniEnv, jPolygonToLabel);
        return newAwtPoint(jniEnv, polygonToLabel.getLabelPosition());
    });
}

JNIEXPORT jboolean JNICALL Java_zelkor_marvane_RectilinearMathInterface_segmentIntersectsPolygon(
    JNIEnv* jniEnv, jclass, jstring jSegmentString, jstring jPolygonString) {
    return runNativeEntry(jniEnv, [&]() -> jboolean {
        const std::optional<Segment> segment = readSegment(jniEnv, jSegmentString);
        const Zelkor::Rectilinear::HoledPolygon holedPolygon = readHoledPolygon(jniEnv, jPolygonString);
        return segment && holedPolygon.intersect(*segment) ? JNI_TRUE : JNI_FALSE;
    });
}

JNIEXPORT jboolean JNICALL Java_zelkor_marvane_RectilinearMathInterface_setCanBeCutWith(
    JNIEnv* jniEnv, jclass, jobjectArray jPolygons, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jboolean {
        const std::vector<Zelkor::Rectilinear::Polygon> polygons = createPolygonVectorFromJObjectArray(jniEnv, jPolygons);
        // An empty row is nothing to cut.
        for (const Zelkor::Rectilinear::Polygon& polygon : polygons) {
            if (!polygon.isEmpty() && !polygon.canExpandBy(readWidth(bladeWidth) / 2)) return JNI_FALSE;
        }
        return JNI_TRUE;
    });
}
