package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import org.junit.jupiter.api.Test;

class HoledPolygonQueriesTest {
    private static final String SQUARE_WITH_HOLE = "0,0 10,0 10,10 0,10|2,2 8,2 8,8 2,8";

    @Test
    void segmentThroughMaterialIntersects() {
        assertTrue(RectilinearMathInterface.segmentIntersectsPolygon("1,1 1,9", SQUARE_WITH_HOLE));
        assertTrue(RectilinearMathInterface.segmentIntersectsPolygon("-5,5 15,5", SQUARE_WITH_HOLE));
    }

    @Test
    void segmentStrictlyInsideTheHoleDoesNotIntersect() {
        assertFalse(RectilinearMathInterface.segmentIntersectsPolygon("4,4 4,6", SQUARE_WITH_HOLE));
        assertFalse(RectilinearMathInterface.segmentIntersectsPolygon("5,5", SQUARE_WITH_HOLE));
    }

    @Test
    void segmentAlongTheHoleEdgeIntersects() {
        assertTrue(RectilinearMathInterface.segmentIntersectsPolygon("2,2 8,2", SQUARE_WITH_HOLE));
    }

    @Test
    void segmentOutsideDoesNotIntersect() {
        assertFalse(RectilinearMathInterface.segmentIntersectsPolygon("20,0 20,10", SQUARE_WITH_HOLE));
    }

    @Test
    void emptySetCanBeCut() {
        assertTrue(RectilinearMathInterface.setCanBeCutWith(new Object[0], 4));
    }

    @Test
    void uShapeCanBeCutOnlyWithANarrowBlade() {
        String[][] uShape = {{"u", "0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9"}};
        assertTrue(RectilinearMathInterface.setCanBeCutWith(uShape, 2));
        assertFalse(RectilinearMathInterface.setCanBeCutWith(uShape, 4));
        assertFalse(RectilinearMathInterface.setCanBeCutWith(
                new Object[] {"0,0 10,0 10,10 0,10", uShape[0]}, 4));
    }

    @Test
    void diagonalHoleEndsTheProcessWithOneCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalHoledPolygon");
    }
}
