#include "bridge/zelkor_marvane_PackHandler.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bridge/JavaNames.h"
#include "bridge/PackingReportReceiver.h"
#include "bridge/ScopedLocalRef.h"
#include "bridge/zelkor_marvane_InterfaceUtilities.h"
#include "geometry/Exception.h"
#include "geometry/Polygon.h"
#include "packing/InterruptedException.h"
#include "packing/PackingDriver.h"
#include "packing/PackingModes.h"
#include "packing/PackingOptions.h"

namespace Zelkor::Marvane {
namespace {

namespace Math = Zelkor::Rectilinear::Math;
using Zelkor::Rectilinear::PackingMode;
using Zelkor::Rectilinear::PackingOptions;
using Zelkor::Rectilinear::Polygon;

constexpr const char* engineExceptionMessage =
    "Zelkor::Exception was thrown during call to Zelkor::Rectilinear::Math::packPolygonsToInventory()";
constexpr const char* unexpectedTypeMessage =
    "Unexpected type was thrown during call to Zelkor::Rectilinear::Math::packPolygonsToInventory()";

jfloatArray newTotals(JNIEnv* jniEnv, const Math::PackingResults& results) {
    const jfloat totals[3] = {results.totalArea, results.totalMergedArea, results.totalHostArea};
    const jfloatArray array = jniEnv->NewFloatArray(3);
    if (array == nullptr) throw PendingJavaException{};
    jniEnv->SetFloatArrayRegion(array, 0, 3, totals);
    return array;
}

std::vector<Polygon> withoutEmptyPolygons(std::vector<Polygon> polygons) {
    polygons.erase(std::remove_if(polygons.begin(), polygons.end(), [](const Polygon& p) { return p.isEmpty(); }),
                   polygons.end());
    return polygons;
}

// The mode numbered `mode` (Math::maximumAreaOutfall, minimumAreaOutfall or
// standardSheet). Any other number is a caller's mistake, not a run that
// fails: it raises IllegalArgumentException in the caller.
PackingMode readMode(JNIEnv* jniEnv, jint mode) {
    if (mode == Math::maximumAreaOutfall || mode == Math::minimumAreaOutfall || mode == Math::standardSheet) {
        return Zelkor::Rectilinear::packingModeFromInt(mode);
    }
    const std::string message = "unknown packing mode " + std::to_string(mode) + " (" +
                                std::to_string(Math::maximumAreaOutfall) + ", " +
                                std::to_string(Math::minimumAreaOutfall) + " or " +
                                std::to_string(Math::standardSheet) + ")";
    ScopedLocalRef<jclass> exceptionClass(jniEnv, findClass(jniEnv, JavaNames::illegalArgumentExceptionClass));
    jniEnv->ThrowNew(exceptionClass.get(), message.c_str());
    throw PendingJavaException{};
}

// The shared body of the packing entries. `mode` is one of the Math mode
// numbers; a positive `effort` adds the optimizing search, seeded with the 32
// bits of `seed`, and a negative one reads as 0. The argument conversions and
// the delivery of the groups fail as in every other entry; only the engine run
// is guarded: an abort returns zeros at once, any other failure is logged and
// leaves the result empty. A Java exception raised by a callback stops the run
// and stays pending for the caller.
jfloatArray packPolygonsToInventory(JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts,
                                    jobjectArray jPackingShapes, jint bladeWidth, jint standardSheetLength,
                                    jint standardSheetWidth, jint mode, jint effort = 0, jint seed = 0) {
    return runNativeEntry(jniEnv, [&]() -> jfloatArray {
        PackingOptions options;
        options.mode = readMode(jniEnv, mode);
        if (effort > 0) {
            options.optimizeEffort = effort;
            options.optimizeSeed = static_cast<unsigned>(seed);
        }
        // A sheet with no length or width holds no part; the engine then
        // fails like any job with a part that fits nowhere.
        options.bladeWidth = readWidth(bladeWidth);
        options.sheetLength = readWidth(standardSheetLength);
        options.sheetWidth = readWidth(standardSheetWidth);

        // A row that reads as the empty polygon is no part and no host: packed, it
        // would take a sheet of its own.
        std::vector<Polygon> potentialHosts =
            withoutEmptyPolygons(createHostVectorFromJObjectArray(jniEnv, jPotentialHosts));
        std::vector<Polygon> packingShapes =
            withoutEmptyPolygons(createPolygonVectorFromJObjectArray(jniEnv, jPackingShapes));

        ScopedLocalRef<jclass> handlerClass(jniEnv, jniEnv->GetObjectClass(jniObject));
        const jmethodID setProgressPercentage = findMethod(
            jniEnv, handlerClass.get(), JavaNames::setProgressPercentageMethod, JavaNames::floatConsumerDescriptor);
        const jmethodID addResultGroup = findMethod(jniEnv, handlerClass.get(), JavaNames::addResultGroupMethod,
                                                    JavaNames::addResultGroupDescriptor);

        PackingReportReceiver packingReportReceiver([&](float progress) {
            jvalue argument;
            argument.f = progress;
            jniEnv->CallVoidMethodA(jniObject, setProgressPercentage, &argument);
            throwIfJavaExceptionPending(jniEnv);
        });
        Math::PackingResults packingResults;
        try {
            const RunningPackingListing listing(packingReportReceiver);
            options.receiver = &packingReportReceiver;
            packingResults = Math::packPolygonsToInventory(packingShapes, potentialHosts, options);
        } catch (const PendingJavaException&) {
            throw;
        } catch (const Zelkor::Rectilinear::InterruptedException&) {
            return newTotals(jniEnv, Math::PackingResults{});
        } catch (const Zelkor::Exception& e) {
            printToErrorLog(jniEnv, engineExceptionMessage, e);
            throwIfJavaExceptionPending(jniEnv);
        } catch (...) {
            printToErrorLog(jniEnv, unexpectedTypeMessage);
            throwIfJavaExceptionPending(jniEnv);
        }

        for (const Math::HostAndSetPairing& pairing : packingResults.resultingSets) {
            ScopedLocalRef<jstring> hostId(jniEnv, newString(jniEnv, pairing.hostId));
            ScopedLocalRef<jobjectArray> group(jniEnv, createJObjectArrayFromPolygonSet(jniEnv, pairing.set));
            jniEnv->CallVoidMethod(jniObject, addResultGroup, hostId.get(), group.get());
            throwIfJavaExceptionPending(jniEnv);
        }
        return newTotals(jniEnv, packingResults);
    });
}

}  // namespace
}  // namespace Zelkor::Marvane

using namespace Zelkor::Marvane;
namespace Math = Zelkor::Rectilinear::Math;

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToFullSheets(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth) {
    return packPolygonsToInventory(jniEnv, jniObject, jPotentialHosts, jPackingShapes, bladeWidth,
                                   standardSheetLength, standardSheetWidth, Math::standardSheet);
}

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToMinimumAreaOutfall(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth) {
    return packPolygonsToInventory(jniEnv, jniObject, jPotentialHosts, jPackingShapes, bladeWidth,
                                   standardSheetLength, standardSheetWidth, Math::minimumAreaOutfall);
}

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToMaximumAreaOutfall(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth) {
    return packPolygonsToInventory(jniEnv, jniObject, jPotentialHosts, jPackingShapes, bladeWidth,
                                   standardSheetLength, standardSheetWidth, Math::maximumAreaOutfall);
}

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packOptimized(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth, jint mode, jint effort, jint seed) {
    return packPolygonsToInventory(jniEnv, jniObject, jPotentialHosts, jPackingShapes, bladeWidth,
                                   standardSheetLength, standardSheetWidth, mode, effort, seed);
}

JNIEXPORT void JNICALL Java_zelkor_marvane_PackHandler_abortAllPacking(JNIEnv* jniEnv, jobject) {
    registerTerminateHandler(jniEnv);
    abortAllRunningPackings();
}
