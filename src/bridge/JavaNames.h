#pragma once

// Every Java class path, member name and descriptor the bridge uses, in one
// place so that a typo shows up here and nowhere else.
namespace Zelkor::Marvane::JavaNames {

inline constexpr const char* errorLogHandlerClass = "zelkor/marvane/ErrorLogHandler";
inline constexpr const char* logMethod = "log";
inline constexpr const char* crashHandlerClass = "zelkor/marvane/CrashHandler";
inline constexpr const char* fatalErrorOccurredMethod = "fatalErrorOccurred";
inline constexpr const char* stringConsumerDescriptor = "(Ljava/lang/String;)V";

inline constexpr const char* rectilinearSegmentClass = "zelkor/marvane/RectilinearSegment";
inline constexpr const char* toStringMethod = "toString";
inline constexpr const char* toStringDescriptor = "()Ljava/lang/String;";
inline constexpr const char* constructorMethod = "<init>";
inline constexpr const char* fourIntConstructorDescriptor = "(IIII)V";

inline constexpr const char* awtPointClass = "java/awt/Point";
inline constexpr const char* twoIntConstructorDescriptor = "(II)V";

inline constexpr const char* illegalArgumentExceptionClass = "java/lang/IllegalArgumentException";

inline constexpr const char* stringClass = "java/lang/String";
inline constexpr const char* stringArrayClass = "[Ljava/lang/String;";

inline constexpr const char* holedPolygonClass = "zelkor/marvane/HoledPolygon";
inline constexpr const char* stringConstructorDescriptor = "(Ljava/lang/String;)V";
inline constexpr const char* polygonSetCutResultClass = "zelkor/marvane/PolygonSetCutResult";
inline constexpr const char* cutResultConstructorDescriptor = "([I[Ljava/lang/String;)V";

// Callbacks on the PackHandler object that started a packing run.
inline constexpr const char* setProgressPercentageMethod = "setProgressPercentage";
inline constexpr const char* floatConsumerDescriptor = "(F)V";
inline constexpr const char* addResultGroupMethod = "addResultGroup";
inline constexpr const char* addResultGroupDescriptor = "(Ljava/lang/String;[[Ljava/lang/String;)V";

inline constexpr const char* crashReportText = "Uncaught exception thrown in back end";

}  // namespace Zelkor::Marvane::JavaNames
