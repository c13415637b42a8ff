#pragma once

#include <jni.h>

// Native methods of zelkor.marvane.RectilinearMathInterface.
extern "C" {

JNIEXPORT jobjectArray JNICALL Java_zelkor_marvane_RectilinearMathInterface_splitSegmentsBySegments(
    JNIEnv* jniEnv, jclass jniClass, jobjectArray jTargetSegments, jobjectArray jCuttingSegments);

JNIEXPORT jobject JNICALL Java_zelkor_marvane_RectilinearMathInterface_getPolygonLabelPosition(
    JNIEnv* jniEnv, jclass jniClass, jstring jPolygonToLabel);

}
