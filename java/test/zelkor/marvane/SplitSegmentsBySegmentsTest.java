package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import org.junit.jupiter.api.Test;

class SplitSegmentsBySegmentsTest {
    private static RectilinearSegment seg(int x1, int y1, int x2, int y2) {
        return new RectilinearSegment(x1, y1, x2, y2);
    }

    @Test
    void piecesComeBackLastPieceFirst() {
        RectilinearSegment[] result = RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[] {seg(0, 0, 10, 0)},
                new RectilinearSegment[] {seg(3, -1, 3, 1), seg(7, -1, 7, 1)});
        assertArrayEquals(new RectilinearSegment[] {seg(7, 0, 10, 0), seg(3, 0, 7, 0), seg(0, 0, 3, 0)}, result);
    }

    @Test
    void touchingCutterSplitsVerticalTarget() {
        RectilinearSegment[] result = RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[] {seg(2, 0, 2, 10)}, new RectilinearSegment[] {seg(0, 4, 2, 4)});
        assertArrayEquals(new RectilinearSegment[] {seg(2, 4, 2, 10), seg(2, 0, 2, 4)}, result);
    }

    @Test
    void resultSegmentsAreBuiltFromStartAndEndCoordinates() {
        RectilinearSegment[] result = RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[] {seg(1, 2, 1, 7)}, new RectilinearSegment[0]);
        assertEquals(1, result.length);
        assertEquals(1, result[0].getX1());
        assertEquals(2, result[0].getY1());
        assertEquals(1, result[0].getX2());
        assertEquals(7, result[0].getY2());
        assertEquals("1,2 1,7", result[0].toString());
    }

    @Test
    void emptyArraysGiveEmptyResults() {
        assertEquals(0, RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[0], new RectilinearSegment[] {seg(0, 0, 0, 5)}).length);
        assertEquals(0, RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[0], new RectilinearSegment[0]).length);
    }

    @Test
    void nullArraysAndElementsAreSkipped() {
        RectilinearSegment[] result = RectilinearMathInterface.splitSegmentsBySegments(
                new RectilinearSegment[] {null, seg(0, 0, 10, 0), null}, new RectilinearSegment[] {null, seg(5, 0, 5, 3)});
        assertArrayEquals(new RectilinearSegment[] {seg(5, 0, 10, 0), seg(0, 0, 5, 0)}, result);
        assertEquals(0, RectilinearMathInterface.splitSegmentsBySegments(null, null).length);
    }

    @Test
    void manyElementsDoNotExhaustLocalReferences() {
        int n = 5000;
        RectilinearSegment[] targets = new RectilinearSegment[n];
        for (int i = 0; i < n; i++) {
            targets[i] = seg(0, i, 10, i);
        }
        RectilinearSegment[] result = RectilinearMathInterface.splitSegmentsBySegments(
                targets, new RectilinearSegment[] {seg(5, 0, 5, n)});
        assertEquals(2 * n, result.length);
        assertEquals(seg(5, n - 1, 10, n - 1), result[2 * n - 2]);
    }

    @Test
    void aJavaExceptionDuringTheCallReachesTheCaller() {
        RectilinearSegment throwing = new RectilinearSegment(0, 0, 1, 0) {
            @Override
            public String toString() {
                throw new IllegalStateException("no text");
            }
        };
        IllegalStateException thrown = assertThrows(IllegalStateException.class,
                () -> RectilinearMathInterface.splitSegmentsBySegments(
                        new RectilinearSegment[] {seg(0, 0, 10, 0), throwing}, new RectilinearSegment[0]));
        assertEquals("no text", thrown.getMessage());
    }

    @Test
    void nonrectilinearSegmentEndsTheProcessWithOneCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalSegment");
    }
}
