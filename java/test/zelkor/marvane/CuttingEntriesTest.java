package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;

import org.junit.jupiter.api.Test;

class CuttingEntriesTest {
    private static final String SHEET = "0,0 100,0 100,100 0,100";

    private static RectilinearSegment seg(int x1, int y1, int x2, int y2) {
        return new RectilinearSegment(x1, y1, x2, y2);
    }

    @Test
    void cutLinesOfAFreePartAreItsGrownSides() {
        RectilinearSegment[] lines = RectilinearMathInterface.getCutLines(
                SHEET, new Object[] {new String[] {"part", "20,20 30,20 30,30 20,30"}}, 4);
        assertArrayEquals(new RectilinearSegment[] {
            seg(18, 18, 18, 32), seg(18, 18, 32, 18), seg(18, 32, 32, 32), seg(32, 18, 32, 32)}, lines);
    }

    @Test
    void cutLinesSkipTheSheetEdge() {
        RectilinearSegment[] lines =
                RectilinearMathInterface.getCutLines(SHEET, new Object[] {"0,0 10,0 10,10 0,10"}, 4);
        assertArrayEquals(new RectilinearSegment[] {seg(-2, 12, 12, 12), seg(12, -2, 12, 12)}, lines);
        assertEquals(0, RectilinearMathInterface.getCutLines(SHEET, new Object[0], 4).length);
    }

    @Test
    void outfallOfAnEmptySheetIsTheSheet() {
        HoledPolygon[] outfall = RectilinearMathInterface.getOutfallFrom(SHEET, new Object[0], 4);
        assertEquals(1, outfall.length);
        assertEquals(SHEET, outfall[0].toString());
    }

    @Test
    void outfallAroundACentralPartHasAHole() {
        HoledPolygon[] outfall = RectilinearMathInterface.getOutfallFrom(
                SHEET, new Object[] {new String[] {"p", "40,40 60,40 60,60 40,60"}}, 4);
        assertEquals(1, outfall.length);
        assertEquals(1, outfall[0].getHoleCorners().size());
        assertEquals(100 * 100 - 28 * 28, outfall[0].getArea());
    }

    @Test
    void outfallIsEmptyWhenThePartFillsTheSheet() {
        HoledPolygon[] outfall = RectilinearMathInterface.getOutfallFrom(SHEET, new Object[] {SHEET}, 4);
        assertNotNull(outfall);
        assertEquals(0, outfall.length);
    }

    @Test
    void admissibleCutsStartWhereTheFirstCutEnds() {
        RectilinearSegment[] cuts = RectilinearMathInterface.getAllCutsThatCanBeAdded(
                new String[] {"20,20 40,20 40,40 20,40"}, new String[] {SHEET}, SHEET,
                new String[] {"19,19 19,41"}, 2);
        assertArrayEquals(new RectilinearSegment[] {
            seg(-1, 19, 19, 19), seg(-1, 41, 19, 41), seg(19, 41, 19, 101), seg(19, -1, 19, 19)}, cuts);
        RectilinearSegment[] none = RectilinearMathInterface.getAllCutsThatCanBeAdded(
                new String[] {"20,20 40,20 40,40 20,40"}, new String[] {SHEET}, SHEET, new String[0], 2);
        assertNotNull(none);
        assertEquals(0, none.length);
    }

    @Test
    void cutThroughOnePieceReplacesItByTwo() {
        PolygonSetCutResult result = RectilinearMathInterface.makeCutOnPolygonSet(
                new String[] {"200,0 300,0 300,50 200,50", "0,0 100,0 100,50 0,50"}, "40,0 40,50", 4);
        assertArrayEquals(new int[] {1}, result.getIndices());
        HoledPolygon[] pieces = result.getHoledPolygons();
        assertEquals(2, pieces.length);
        assertEquals(38 * 50 + 58 * 50, pieces[0].getArea() + pieces[1].getArea());
    }

    @Test
    void cutThroughNoPieceGivesEmptyArrays() {
        PolygonSetCutResult result = RectilinearMathInterface.makeCutOnPolygonSet(
                new String[] {"0,0 100,0 100,50 0,50"}, "150,0 150,50", 4);
        assertArrayEquals(new int[0], result.getIndices());
        assertArrayEquals(new String[0], result.getHoledPolygonTexts());
    }

    @Test
    void removingACutMergesThePiecesBesideIt() {
        PolygonSetCutResult result = RectilinearMathInterface.removeCutFromPolygonSet(
                new String[] {"0,0 38,0 38,50 0,50", "42,0 100,0 100,50 42,50"}, "40,0 40,50", new String[0],
                "0,0 100,0 100,50 0,50", 4);
        assertArrayEquals(new int[] {0, 1}, result.getIndices());
        assertEquals(1, result.getHoledPolygonTexts().length);
        assertEquals(5000, result.getHoledPolygons()[0].getArea());

        PolygonSetCutResult recut = RectilinearMathInterface.removeCutFromPolygonSet(
                new String[] {"0,0 38,0 38,50 0,50", "42,0 100,0 100,23 42,23", "42,27 100,27 100,50 42,50"},
                "40,0 40,50", new String[] {"40,25 100,25"}, "0,0 100,0 100,50 0,50", 4);
        assertArrayEquals(new int[] {0, 1, 2}, recut.getIndices());
        assertEquals(1, recut.getHoledPolygonTexts().length);
        assertEquals(5000 - 62 * 4, recut.getHoledPolygons()[0].getArea());
    }

    @Test
    void malformedPolygonTextsEndInTheCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalHostOfCutLines");
        CrashReports.assertEndsInOneCrashReport("diagonalPieceOfCut");
    }
}
