package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.api.Test;

class ShapeArrayConversionTest {
    private static final String HOST = "0,0 100,0 100,100 0,100";

    @Test
    void pairRowsNameTheirPolygonsAndBareTextsAreUnnamed() {
        Object[] set = {new String[] {"a", "0,0 2,0 2,2 0,2"}, "2,0 4,0 4,2 2,2"};
        String[][] placed = RectilinearMathInterface.getBestPositionForSetInHost(set, HOST, 0);
        assertEquals(2, placed.length);
        assertEquals("a", placed[0][0]);
        assertEquals("", placed[1][0]);
    }

    @Test
    void aSetResultFedBackKeepsNamesOutlinesAndOrder() {
        Object[] set = {new String[] {"first", "0,0 2,0 2,2 0,2"}, new String[] {"second", "2,0 4,0 4,2 2,2"}};
        String[][] placed = RectilinearMathInterface.getBestPositionForSetInHost(set, HOST, 0);
        String[][] again = RectilinearMathInterface.getBestPositionForSetInHost(placed, HOST, 0);
        assertArrayEquals(placed, again);
    }

    @Test
    void nullEmptyAndForeignRowsReadAsEmptyPolygonsKeepingAlignment() {
        Object[] hosts = {null, new String[0], Integer.valueOf(7), new String[] {"0,0 9,0 9,9 0,9"},
                new String[] {"named", "0,0 1,0 1,1 0,1"}};
        assertArrayEquals(new boolean[] {false, false, false, true, false},
                RectilinearMathInterface.filterHostsThatCanContain(new Object[] {"0,0 2,0 2,2 0,2"}, hosts, 0));
        assertEquals(0, RectilinearMathInterface.getBestPositionForSetInHost(null, HOST, 0).length);
    }

    @Test
    void nullElementsOfHoledPolygonArraysKeepTheirIndex() {
        PolygonSetCutResult result = RectilinearMathInterface.makeCutOnPolygonSet(
                new String[] {null, "0,0 10,0 10,10 0,10"}, "5,0 5,10", 2);
        assertArrayEquals(new int[] {1}, result.getIndices());
        assertEquals(2, result.getHoledPolygonTexts().length);
    }
}
