// Placement entries of RectilinearMathInterface: which hosts can take a set,
// where a shape can go among others, and the best place of a set in a host.

#include <vector>

#include "bridge/JavaNames.h"
#include "bridge/ScopedLocalRef.h"
#include "bridge/zelkor_marvane_InterfaceUtilities.h"
#include "bridge/zelkor_marvane_RectilinearMathInterface.h"
#include "geometry/Polygon.h"
#include "geometry/PolygonSet.h"
#include "placement/HostSearch.h"
#include "placement/PlacementServices.h"

using Zelkor::Rectilinear::Point;
using Zelkor::Rectilinear::Polygon;
using Zelkor::Rectilinear::PolygonSet;
namespace Math = Zelkor::Rectilinear::Math;

namespace Zelkor::Marvane {
namespace {

// A java.awt.Point[] of the points in order; the class and its constructor
// are looked up once for the whole array.
jobjectArray createAwtPointArray(JNIEnv* jniEnv, const std::vector<Point>& points) {
    ScopedLocalRef<jclass> pointClass(jniEnv, findClass(jniEnv, JavaNames::awtPointClass));
    const jmethodID constructor =
        findMethod(jniEnv, pointClass.get(), JavaNames::constructorMethod, JavaNames::twoIntConstructorDescriptor);
    const jobjectArray result = jniEnv->NewObjectArray(static_cast<jsize>(points.size()), pointClass.get(), nullptr);
    throwIfJavaExceptionPending(jniEnv);
    for (std::size_t index = 0; index < points.size(); ++index) {
        ScopedLocalRef<jobject> element(jniEnv,
                                        jniEnv->NewObject(pointClass.get(), constructor, points[index].x, points[index].y));
        throwIfJavaExceptionPending(jniEnv);
        jniEnv->SetObjectArrayElement(result, static_cast<jsize>(index), element.get());
    }
    return result;
}

jbooleanArray createBooleanArray(JNIEnv* jniEnv, const std::vector<bool>& values) {
    const jbooleanArray result = jniEnv->NewBooleanArray(static_cast<jsize>(values.size()));
    throwIfJavaExceptionPending(jniEnv);
    std::vector<jboolean> elements;
    elements.reserve(values.size());
    for (bool value : values) elements.push_back(value ? JNI_TRUE : JNI_FALSE);
    if (!elements.empty()) {
        jniEnv->SetBooleanArrayRegion(result, 0, static_cast<jsize>(elements.size()), elements.data());
        throwIfJavaExceptionPending(jniEnv);
    }
    return result;
}

}  // namespace
}  // namespace Zelkor::Marvane

using namespace Zelkor::Marvane;

JNIEXPORT jbooleanArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_filterHostsThatCanContain(
    JNIEnv* jniEnv, jclass, jobjectArray jPolygonSet, jobjectArray jPotentialHosts, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jbooleanArray {
        const std::vector<Polygon> potentialHosts = createPolygonVectorFromJObjectArray(jniEnv, jPotentialHosts);
        const PolygonSet polygonSet = createPolygonSetFromJObjectArray(jniEnv, jPolygonSet);
        return createBooleanArray(jniEnv, Math::bulkCanContain(polygonSet, potentialHosts, readWidth(bladeWidth) / 2));
    });
}

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getAllPossibleTranslationsForShapeWithinHost(
    JNIEnv* jniEnv, jclass, jstring jPolygon, jstring jHostPolygon, jobjectArray jOtherPolygons,
    jint minimumShapePadding) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        const Polygon polygon = readPolygon(jniEnv, jPolygon);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        const PolygonSet otherPolygons = createPolygonSetFromJObjectArray(jniEnv, jOtherPolygons);
        return createAwtPointArray(jniEnv, Math::getAllPossibleTranslationsForShapeWithinHost(
                                               polygon, hostPolygon, otherPolygons, readWidth(minimumShapePadding)));
    });
}

JNIEXPORT jstring JNICALL Java_zelkor_marvane_RectilinearMathInterface_getShapeRotatedAndPositionedWithinHost(
    JNIEnv* jniEnv, jclass, jboolean rotateClockwise, jstring jPolygon, jstring jHostPolygon,
    jobjectArray jOtherPolygons, jint minimumShapePadding) {
    return runNativeEntry(jniEnv, [&]() -> jstring {
        const Polygon polygon = readPolygon(jniEnv, jPolygon);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        const PolygonSet otherPolygons = createPolygonSetFromJObjectArray(jniEnv, jOtherPolygons);
        // Never the original orientation, never the original place.
        const Polygon rotatedAndPositionedPolygon = Math::rotateAndPositionWithinHost(
            false, false, rotateClockwise == JNI_TRUE, 1, polygon, hostPolygon, otherPolygons,
            readWidth(minimumShapePadding));
        return newString(jniEnv, rotatedAndPositionedPolygon.toString());
    });
}

JNIEXPORT jstring JNICALL Java_zelkor_marvane_RectilinearMathInterface_getShapePositionedWithinHost(
    JNIEnv* jniEnv, jclass, jstring jPolygonToAdd, jstring jHostPolygon, jobjectArray jExistingPolygons,
    jint minimumShapePadding) {
    return runNativeEntry(jniEnv, [&]() -> jstring {
        const Polygon polygonToAdd = readPolygon(jniEnv, jPolygonToAdd);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        const PolygonSet existingPolygons = createPolygonSetFromJObjectArray(jniEnv, jExistingPolygons);
        // The first feasible place, own orientation first, current place allowed.
        const Polygon positionedPolygon = Math::rotateAndPositionWithinHost(
            true, true, true, 0, polygonToAdd, hostPolygon, existingPolygons, readWidth(minimumShapePadding));
        return newString(jniEnv, positionedPolygon.toString());
    });
}

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getBestPositionForSetInHost(
    JNIEnv* jniEnv, jclass, jobjectArray jPolygonSet, jstring jHostPolygon, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        PolygonSet polygonSet = createPolygonSetFromJObjectArray(jniEnv, jPolygonSet);
        Polygon polygon = readPolygon(jniEnv, jHostPolygon);
        const int expansionFactor = readWidth(bladeWidth) / 2;
        polygon.unvalidatedExpand(expansionFactor);
        polygonSet.unvalidatedExpandAll(expansionFactor);
        // When no place exists the set stays where it was.
        Math::moveSetToBestPositionWithin(polygon, polygonSet, expansionFactor);
        polygonSet.unvalidatedContractAll(expansionFactor);
        return createJObjectArrayFromPolygonSet(jniEnv, polygonSet);
    });
}
