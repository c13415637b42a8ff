#pragma once

#include <jni.h>

// Native methods of zelkor.marvane.RectilinearMathInterface.
extern "C" {

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_splitSegmentsBySegments(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jTargetSegments, jobjectArray jCuttingSegments);

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_getPolygonLabelPosition(
    JNIEnv* jniEnv, jclass jniClass, jstring jPolygonToLabel);

JNIEXPORT jboolean JNICALL Java_zelkor_marvane_RectilinearMathInterface_segmentIntersectsPolygon(
    JNIEnv* jniEnv, jclass jniClass, jstring jSegmentString, jstring jPolygonString);

JNIEXPORT jboolean JNICALL Java_zelkor_marvane_RectilinearMathInterface_setCanBeCutWith(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jPolygons, jint bladeWidth);

// Cutting entries (zelkor_marvane_RectilinearMathInterfaceCutting.cpp).

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getOutfallFrom(
    JNIEnv* jniEnv, jclass jniClass, jstring jHostPolygon, jobjectArray jPolygonSet, jint bladeWidth);

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getCutLines(
    JNIEnv* jniEnv, jclass jniClass, jstring jHostPolygon, jobjectArray jPolygons, jint bladeWidth);

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getAllCutsThatCanBeAdded(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jUncuttablePolygons, jobjectArray jCuttablePolygons,
    jstring jHostPolygon, jobjectArray jExistingCuts, jint bladeWidth);

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_makeCutOnPolygonSet(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jCuttablePolygons, jstring jCuttingSegment,
    jint minimumShapePadding);

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_removeCutFromPolygonSet(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jCuttablePolygons, jstring jCutSegmentToRemove,
    jobjectArray jOtherCutSegments, jstring jHostPolygon, jint minimumShapePadding);

// Placement entries (zelkor_marvane_RectilinearMathInterfacePlacement.cpp).

JNIEXPORT jbooleanArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_filterHostsThatCanContain(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jPolygonSet, jobjectArray jPotentialHosts, jint bladeWidth);

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getAllPossibleTranslationsForShapeWithinHost(
    JNIEnv* jniEnv, jclass jniClass, jstring jPolygon, jstring jHostPolygon, jobjectArray jOtherPolygons,
    jint minimumShapePadding);

JNIEXPORT jstring JNICALL Java_zelkor_marvane_RectilinearMathInterface_getShapeRotatedAndPositionedWithinHost(
    JNIEnv* jniEnv, jclass jniClass, jboolean rotateClockwise, jstring jPolygon, jstring jHostPolygon,
    jobjectArray jOtherPolygons, jint minimumShapePadding);

JNIEXPORT jstring JNICALL Java_zelkor_marvane_RectilinearMathInterface_getShapePositionedWithinHost(
    JNIEnv* jniEnv, jclass jniClass, jstring jPolygonToAdd, jstring jHostPolygon, jobjectArray jExistingPolygons,
    jint minimumShapePadding);

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_getBestPositionForSetInHost(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jPolygonSet, jstring jHostPolygon, jint bladeWidth);

}
