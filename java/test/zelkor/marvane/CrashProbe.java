package zelkor.marvane;

/** Child-JVM program: hands the library a segment that is not axis-parallel. */
public final class CrashProbe {
    private CrashProbe() {
    }

    public static void main(String[] args) {
        RectilinearSegment[] targets = {new RectilinearSegment(0, 0, 5, 5)};
        RectilinearSegment[] cutters = {new RectilinearSegment(2, -1, 2, 9)};
        RectilinearMathInterface.splitSegmentsBySegments(targets, cutters);
        System.out.println("RETURNED normally");
    }
}
