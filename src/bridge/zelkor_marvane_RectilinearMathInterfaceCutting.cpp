// The cutting entries of zelkor.marvane.RectilinearMathInterface: convert the
// Java arguments, call the cutting services, convert the answer back.
#include <optional>
#include <string>
#include <vector>

#include "bridge/JavaNames.h"
#include "bridge/ScopedLocalRef.h"
#include "bridge/zelkor_marvane_InterfaceUtilities.h"
#include "bridge/zelkor_marvane_RectilinearMathInterface.h"
#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "geometry/HoledPolygonSet.h"

using Zelkor::Rectilinear::HoledPolygon;
using Zelkor::Rectilinear::HoledPolygonSet;
using Zelkor::Rectilinear::Polygon;
using Zelkor::Rectilinear::PolygonSetCutResult;
using Zelkor::Rectilinear::Segment;
namespace Math = Zelkor::Rectilinear::Math;

namespace Zelkor::Marvane {
namespace {

// The texts of the pieces that hold material: an empty piece (what is left of
// an empty host, say) is no piece.
std::vector<std::string> pieceTexts(const HoledPolygonSet& pieces) {
    std::vector<std::string> texts;
    for (int index = 0; index < pieces.size(); ++index) {
        const HoledPolygon& piece = pieces.getPolygon(index);
        if (!piece.isEmpty()) texts.push_back(piece.toString());
    }
    return texts;
}

// An array of zelkor.marvane.HoledPolygon, one object per piece, each built
// from the piece's text.
jobjectArray createHoledPolygonArray(JNIEnv* jniEnv, const HoledPolygonSet& holedPolygons) {
    ScopedLocalRef<jclass> holedPolygonClass(jniEnv, findClass(jniEnv, JavaNames::holedPolygonClass));
    const jmethodID constructor = findMethod(jniEnv, holedPolygonClass.get(), JavaNames::constructorMethod,
                                             JavaNames::stringConstructorDescriptor);
    const std::vector<std::string> texts = pieceTexts(holedPolygons);
    const jobjectArray result =
        jniEnv->NewObjectArray(static_cast<jsize>(texts.size()), holedPolygonClass.get(), nullptr);
    throwIfJavaExceptionPending(jniEnv);
    for (std::size_t index = 0; index < texts.size(); ++index) {
        ScopedLocalRef<jstring> text(jniEnv, newString(jniEnv, texts[index]));
        ScopedLocalRef<jobject> element(jniEnv, jniEnv->NewObject(holedPolygonClass.get(), constructor, text.get()));
        throwIfJavaExceptionPending(jniEnv);
        jniEnv->SetObjectArrayElement(result, static_cast<jsize>(index), element.get());
    }
    return result;
}

jobject createPolygonSetCutResult(JNIEnv* jniEnv, const PolygonSetCutResult& cutResult) {
    ScopedLocalRef<jclass> resultClass(jniEnv, findClass(jniEnv, JavaNames::polygonSetCutResultClass));
    const jmethodID constructor = findMethod(jniEnv, resultClass.get(), JavaNames::constructorMethod,
                                             JavaNames::cutResultConstructorDescriptor);

    const auto indexCount = static_cast<jsize>(cutResult.indices.size());
    ScopedLocalRef<jintArray> indices(jniEnv, jniEnv->NewIntArray(indexCount));
    throwIfJavaExceptionPending(jniEnv);
    const std::vector<jint> indexValues(cutResult.indices.begin(), cutResult.indices.end());
    jniEnv->SetIntArrayRegion(indices.get(), 0, indexCount, indexValues.data());

    ScopedLocalRef<jclass> stringClass(jniEnv, findClass(jniEnv, JavaNames::stringClass));
    const std::vector<std::string> pieces = pieceTexts(cutResult.pieces);
    ScopedLocalRef<jobjectArray> texts(
        jniEnv, jniEnv->NewObjectArray(static_cast<jsize>(pieces.size()), stringClass.get(), nullptr));
    throwIfJavaExceptionPending(jniEnv);
    for (std::size_t index = 0; index < pieces.size(); ++index) {
        ScopedLocalRef<jstring> text(jniEnv, newString(jniEnv, pieces[index]));
        jniEnv->SetObjectArrayElement(texts.get(), static_cast<jsize>(index), text.get());
    }

    const jobject result = jniEnv->NewObject(resultClass.get(), constructor, indices.get(), texts.get());
    throwIfJavaExceptionPending(jniEnv);
    return result;
}

}  // namespace
}  // namespace Zelkor::Marvane

using namespace Zelkor::Marvane;

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getOutfallFrom(
    JNIEnv* jniEnv, jclass, jstring jHostPolygon, jobjectArray jPolygonSet, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        const Zelkor::Rectilinear::PolygonSet polygonSet = createPolygonSetFromJObjectArray(jniEnv, jPolygonSet);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        return createHoledPolygonArray(jniEnv, Math::getOutfallFrom(hostPolygon, polygonSet, readWidth(bladeWidth)));
    });
}

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getCutLines(
    JNIEnv* jniEnv, jclass, jstring jHostPolygon, jobjectArray jPolygons, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        const std::vector<Polygon> polygons = createPolygonVectorFromJObjectArray(jniEnv, jPolygons);
        return createRectilinearSegmentArray(jniEnv, Math::getCutLines(hostPolygon, polygons, readWidth(bladeWidth)));
    });
}

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getAllCutsThatCanBeAdded(
    JNIEnv* jniEnv, jclass, jobjectArray jUncuttablePolygons, jobjectArray jCuttablePolygons, jstring jHostPolygon,
    jobjectArray jExistingCuts, jint bladeWidth) {
    return runNativeEntry(jniEnv, [&]() -> jobjectArray {
        const std::vector<HoledPolygon> uncuttablePolygons =
            createHoledPolygonVectorFromJObjectArray(jniEnv, jUncuttablePolygons);
        const std::vector<HoledPolygon> cuttablePolygons =
            createHoledPolygonVectorFromJObjectArray(jniEnv, jCuttablePolygons);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        const std::vector<Segment> existingCuts = createSegmentVectorFromJObjectArray(jniEnv, jExistingCuts);
        return createRectilinearSegmentArray(
            jniEnv, Math::getAllCutsThatCanBeAdded(uncuttablePolygons, cuttablePolygons, hostPolygon, existingCuts,
                                                   readWidth(bladeWidth)));
    });
}

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_makeCutOnPolygonSet(
    JNIEnv* jniEnv, jclass, jobjectArray jCuttablePolygons, jstring jCuttingSegment, jint minimumShapePadding) {
    return runNativeEntry(jniEnv, [&]() -> jobject {
        const std::vector<HoledPolygon> cuttablePolygons =
            createHoledPolygonVectorFromJObjectArray(jniEnv, jCuttablePolygons);
        const std::optional<Segment> cuttingSegment = readSegment(jniEnv, jCuttingSegment);
        // No cut changes no piece.
        if (!cuttingSegment) return createPolygonSetCutResult(jniEnv, PolygonSetCutResult{});
        return createPolygonSetCutResult(
            jniEnv, Math::makeCutOnPolygonSet(cuttablePolygons, *cuttingSegment, readWidth(minimumShapePadding)));
    });
}

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_removeCutFromPolygonSet(
    JNIEnv* jniEnv, jclass, jobjectArray jCuttablePolygons, jstring jCutSegmentToRemove,
    jobjectArray jOtherCutSegments, jstring jHostPolygon, jint minimumShapePadding) {
    return runNativeEntry(jniEnv, [&]() -> jobject {
        const std::vector<HoledPolygon> cuttablePolygons =
            createHoledPolygonVectorFromJObjectArray(jniEnv, jCuttablePolygons);
        const std::optional<Segment> cutSegmentToRemove = readSegment(jniEnv, jCutSegmentToRemove);
        const std::vector<Segment> otherCutSegments = createSegmentVectorFromJObjectArray(jniEnv, jOtherCutSegments);
        const Polygon hostPolygon = readPolygon(jniEnv, jHostPolygon);
        // Removing no cut merges nothing.
        if (!cutSegmentToRemove) return createPolygonSetCutResult(jniEnv, PolygonSetCutResult{});
        return createPolygonSetCutResult(
            jniEnv, Math::removeCutFromPolygonSet(cuttablePolygons, *cutSegmentToRemove, otherCutSegments,
                                                  hostPolygon, readWidth(minimumShapePadding)));
    });
}
