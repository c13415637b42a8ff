package zelkor.marvane;

/** Entry points of the native rectilinear geometry library. */
public final class RectilinearMathInterface {
    static {
        System.loadLibrary("ZelkorRectilinearGeometry");
    }

    private RectilinearMathInterface() {
    }

    /** Cuts each target where a perpendicular cutting segment crosses or touches its interior. */
    public static native RectilinearSegment[] splitSegmentsBySegments(RectilinearSegment[] targetSegments,
            RectilinearSegment[] cuttingSegments);

    /** A point inside the polygon where its label can go. */
    public static native java.awt.Point getPolygonLabelPosition(String polygon);
}
