package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.awt.Point;
import org.junit.jupiter.api.Test;

class PlacementEntriesTest {
    private static final String L_HOST = "0,0 10,0 10,4 4,4 4,10 0,10";
    private static final String HOST_30 = "0,0 30,0 30,30 0,30";

    @Test
    void filterHostsKeepsOneAnswerPerHostInOrder() {
        Object[] set = {new String[] {"part", "0,0 3,0 3,3 0,3"}};
        // Room and an expandable outline; no room; a 1-wide notch that closes when grown by 1.
        Object[] hosts = {L_HOST, new String[] {"narrow", "0,0 2,0 2,9 0,9"}, "0,0 9,0 9,9 5,9 5,3 4,3 4,9 0,9"};
        assertArrayEquals(new boolean[] {true, false, false},
                RectilinearMathInterface.filterHostsThatCanContain(set, hosts, 2));
        assertArrayEquals(new boolean[] {true, false, true},
                RectilinearMathInterface.filterHostsThatCanContain(set, hosts, 1));
    }

    @Test
    void filterHostsWithNoHostsGivesAnEmptyArray() {
        boolean[] answers = RectilinearMathInterface.filterHostsThatCanContain(
                new Object[] {"0,0 3,0 3,3 0,3"}, new Object[0], 4);
        assertEquals(0, answers.length);
    }

    @Test
    void allTranslationsKeepThePaddingFromOtherShapesOnly() {
        Point[] translations = RectilinearMathInterface.getAllPossibleTranslationsForShapeWithinHost(
                "0,0 10,0 10,10 0,10", "0,0 30,0 30,10 0,10",
                new Object[] {new String[] {"other", "0,0 10,0 10,10 0,10"}}, 4);
        assertArrayEquals(new Point[] {new Point(14, 0), new Point(20, 0)}, translations);
        assertEquals(0, RectilinearMathInterface.getAllPossibleTranslationsForShapeWithinHost(
                "0,0 40,0 40,10 0,10", "0,0 30,0 30,10 0,10", new Object[0], 0).length);
    }

    @Test
    void rotatedShapeStandsUpInsideTheHostAwayFromItsOldPlace() {
        String bar = "10,10 20,10 20,14 10,14";
        String rotated = RectilinearMathInterface.getShapeRotatedAndPositionedWithinHost(false, bar, HOST_30,
                new Object[0], 0);
        assertNotEquals("", rotated);
        int minX = Integer.MAX_VALUE, maxX = Integer.MIN_VALUE, minY = Integer.MAX_VALUE, maxY = Integer.MIN_VALUE;
        for (String corner : rotated.split(" ")) {
            String[] xy = corner.split(",");
            int x = Integer.parseInt(xy[0]), y = Integer.parseInt(xy[1]);
            minX = Math.min(minX, x);
            maxX = Math.max(maxX, x);
            minY = Math.min(minY, y);
            maxY = Math.max(maxY, y);
        }
        assertEquals(4, maxX - minX);
        assertEquals(10, maxY - minY);
        assertTrue(minX >= 0 && maxX <= 30 && minY >= 0 && maxY <= 30, rotated);
        // A shape that fits nowhere turned comes back as the empty text.
        assertEquals("", RectilinearMathInterface.getShapeRotatedAndPositionedWithinHost(true, "0,0 10,0 10,4 0,4",
                "0,0 10,0 10,4 0,4", new Object[0], 0));
    }

    @Test
    void positionedShapeTakesTheFirstFeasiblePlace() {
        Object[] existing = {"0,0 10,0 10,10 0,10", new String[] {"corner", "20,20 30,20 30,30 20,30"}};
        assertEquals("0,12 4,12 4,15 0,15", RectilinearMathInterface.getShapePositionedWithinHost(
                "12,12 16,12 16,15 12,15", HOST_30, existing, 2));
        assertEquals("", RectilinearMathInterface.getShapePositionedWithinHost("0,0 31,0 31,1 0,1", HOST_30,
                existing, 2));
    }

    @Test
    void bestPositionForSetKeepsNamesAndOrder() {
        Object[] set = {new String[] {"left", "100,100 103,100 103,102 100,102"},
                new String[] {"right", "103,100 105,100 105,106 103,106"}};
        String[][] placed = RectilinearMathInterface.getBestPositionForSetInHost(set, L_HOST, 2);
        assertArrayEquals(new String[][] {{"left", "2,5 2,2 4,2 4,5"}, {"right", "2,2 2,0 8,0 8,2"}}, placed);
        // No place: the set comes back where it was, names kept.
        String[][] unplaced = RectilinearMathInterface.getBestPositionForSetInHost(
                new Object[] {new String[] {"big", "0,0 7,0 7,7 0,7"}}, L_HOST, 2);
        assertArrayEquals(new String[][] {{"big", "0,0 7,0 7,7 0,7"}}, unplaced);
    }

    @Test
    void diagonalShapeEndsTheProcessWithOneCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalShapeToPosition");
    }
}
