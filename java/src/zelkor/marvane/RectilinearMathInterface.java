package zelkor.marvane;

/**
 * Entry points of the native rectilinear geometry library.
 *
 * <p>A null text is the empty shape and a null array an empty one; a null or empty segment text is no segment
 * (no cut is made or removed, nothing is met). A negative blade width or padding counts as 0. A malformed shape
 * (a slanted edge, an outline that crosses itself) ends the process after one call of
 * {@link CrashHandler#fatalErrorOccurred}.
 */
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

    /** Whether the segment meets the material of the holed polygon (not only its holes). */
    public static native boolean segmentIntersectsPolygon(String segment, String holedPolygon);

    /** Whether every polygon can grow by half the blade width and stay one simple polygon. */
    public static native boolean setCanBeCutWith(Object[] polygons, int bladeWidth);

    /**
     * The leftover material of a host once the parts placed in it, and the kerf of every cut that frees
     * them, are taken away. Parts are a shape array: polygon texts or {name, polygon text} rows.
     */
    public static native HoledPolygon[] getOutfallFrom(String hostPolygon, Object[] polygons, int bladeWidth);

    /** The lines a blade must follow to free the parts from the host, each pointing up or right, sorted. */
    public static native RectilinearSegment[] getCutLines(String hostPolygon, Object[] polygons, int bladeWidth);

    /**
     * The straight cut pieces that may be added next: each starts or ends where an existing cut ends, runs
     * through no uncuttable piece and, when cuttable pieces are given, through one of them.
     */
    public static native RectilinearSegment[] getAllCutsThatCanBeAdded(String[] uncuttableHoledPolygons,
            String[] cuttableHoledPolygons, String hostPolygon, String[] existingCuts, int bladeWidth);

    /** Saws the pieces along the cut; tells which pieces are consumed and what replaces them. */
    public static native PolygonSetCutResult makeCutOnPolygonSet(String[] cuttableHoledPolygons, String cut,
            int minimumShapePadding);

    /** Undoes a cut: merges the pieces beside it with its strip, keeping the kerfs of the other cuts. */
    public static native PolygonSetCutResult removeCutFromPolygonSet(String[] cuttableHoledPolygons,
            String cutToRemove, String[] otherCuts, String hostPolygon, int minimumShapePadding);

    /**
     * One answer per host, in order: the host can grow by half the blade width as one simple polygon and can
     * hold the whole set. Shape arrays hold polygon texts or {name, polygon text} rows.
     */
    public static native boolean[] filterHostsThatCanContain(Object[] polygonSet, Object[] potentialHosts,
            int bladeWidth);

    /**
     * Every translation, x ascending then y, that drops the shape into the host at least the padding away
     * from the other shapes (an odd padding counts as the even number below it); the shape may touch the host.
     */
    public static native java.awt.Point[] getAllPossibleTranslationsForShapeWithinHost(String polygon,
            String hostPolygon, Object[] otherPolygons, int minimumShapePadding);

    /**
     * The shape turned by a quarter turn or more and placed as near as possible to where it was; never its
     * original orientation or place. The empty text when it fits nowhere.
     */
    public static native String getShapeRotatedAndPositionedWithinHost(boolean rotateClockwise, String polygon,
            String hostPolygon, Object[] otherPolygons, int minimumShapePadding);

    /** The first place for the shape among the existing ones, its own orientation first; empty text if none. */
    public static native String getShapePositionedWithinHost(String polygonToAdd, String hostPolygon,
            Object[] existingPolygons, int minimumShapePadding);

    /** The set, names kept, moved to the place in the host that leaves the best outfall (unchanged if none). */
    public static native String[][] getBestPositionForSetInHost(Object[] polygonSet, String hostPolygon,
            int bladeWidth);
}
