package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.awt.Point;
import org.junit.jupiter.api.Test;

class PolygonLabelPositionTest {
    @Test
    void labelOfTheUShapeAvoidsTheNotch() {
        assertEquals(new Point(7, 4), RectilinearMathInterface.getPolygonLabelPosition("0,0 9,0 9,9 6,9 6,3 3,3 3,9 0,9"));
    }

    @Test
    void labelOfASquareIsItsCentroid() {
        assertEquals(new Point(2, 2), RectilinearMathInterface.getPolygonLabelPosition("0,0 5,0 5,5 0,5"));
    }

    @Test
    void diagonalEdgeEndsTheProcessWithOneCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalPolygon");
    }

    @Test
    void selfCrossingOutlineIsRefusedLikeADiagonalEdgeWithItsReason() throws Exception {
        CrashReports.assertEndsInOneCrashReportRefusing("selfCrossingPolygon", "the outline crosses itself at 5,0");
    }
}
