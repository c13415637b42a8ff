#pragma once

#include <jni.h>

// Native methods of zelkor.marvane.PackHandler.
extern "C" {

// Each packing entry takes the potential hosts and the parts as shape arrays,
// the blade width and the standard sheet's length (along x) and width (along
// y); it returns {total area, total merged area, total host area}, all zeros
// when the run was aborted or failed. Rows that read as the empty polygon are
// left out, and a negative width or size reads as 0 (a sheet of no size holds
// nothing, so a part that fits no host fails the run).
JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToFullSheets(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth);

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToMinimumAreaOutfall(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth);

JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packToMaximumAreaOutfall(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth);

// The packing of the mode numbered `mode` (0 maximum outfall, 1 minimum
// outfall, 2 full sheets, as Zelkor::Rectilinear::Math numbers them), and
// with a positive `effort` the optimizing search seeded with the 32 bits of
// `seed`, whose layout is returned when it is better (PackingOptions). A
// negative effort reads as 0, the mode's packing alone; any other mode number
// raises IllegalArgumentException. Otherwise as the entries above.
JNIEXPORT jfloatArray JNICALL Java_zelkor_marvane_PackHandler_packOptimized(
    JNIEnv* jniEnv, jobject jniObject, jobjectArray jPotentialHosts, jobjectArray jPackingShapes, jint bladeWidth,
    jint standardSheetLength, jint standardSheetWidth, jint mode, jint effort, jint seed);

// Asks every packing run in progress, on any thread and for any PackHandler,
// to stop at its next progress report.
JNIEXPORT void JNICALL Java_zelkor_marvane_PackHandler_abortAllPacking(JNIEnv* jniEnv, jobject jniObject);

}
