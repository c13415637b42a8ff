package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.TreeSet;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;
import java.util.function.BiConsumer;
import org.junit.jupiter.api.AfterAll;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class PackHandlerTest {
    private static final int BLADE = 2;
    private static final int SHEET = 100;
    private static final float[] ZEROS = {0f, 0f, 0f};
    private static final Object[] NO_HOSTS = new Object[0];
    private static final ExecutorService threads = Executors.newCachedThreadPool();

    /** Records every progress value and opens a latch at the first one. */
    private static class RecordingHandler extends PackHandler {
        final List<Float> progressValues = Collections.synchronizedList(new ArrayList<>());
        final CountDownLatch running = new CountDownLatch(1);

        @Override
        public void setProgressPercentage(float progress) {
            super.setProgressPercentage(progress);
            progressValues.add(progress);
            running.countDown();
        }
    }

    @BeforeEach
    void clearLog() {
        ErrorLogHandler.clear();
    }

    @AfterAll
    static void stopThreads() {
        threads.shutdownNow();
    }

    private static String[] part(String name, String polygon) {
        return new String[] {name, polygon};
    }

    private static String rectangle(int length, int width) {
        return "0,0 " + length + ",0 " + length + "," + width + " 0," + width;
    }

    /**
     * {@code count} small parts, no two congruent, named prefix0, prefix1, ...: L shapes with legs of 4 to 11
     * units, then T shapes. Enough of them keep the packing busy for a while.
     */
    private static Object[] distinctParts(String prefix, int count) {
        Object[] parts = new Object[count];
        for (int i = 0; i < count; i++) {
            String polygon;
            if (i < 64) {
                int a = 4 + i % 8;
                int b = 4 + i / 8;
                polygon = "0,0 " + a + ",0 " + a + ",2 2,2 2," + b + " 0," + b;
            } else {
                int stem = 3 + (i - 64);
                polygon = "2,0 4,0 4," + stem + " 6," + stem + " 6," + (stem + 2) + " 0," + (stem + 2) + " 0," + stem
                        + " 2," + stem;
            }
            parts[i] = part(prefix + i, polygon);
        }
        return parts;
    }

    private static Future<float[]> packOnAnotherThread(PackHandler handler, Object[] parts) {
        return threads.submit(() -> handler.packToFullSheets(NO_HOSTS, parts, BLADE, SHEET, SHEET));
    }

    private static List<String> namesOfPackedParts(PackHandler handler) {
        List<String> names = new ArrayList<>();
        for (PackHandler.ResultGroup group : handler.getResultGroups()) {
            for (String[] row : group.getParts()) {
                names.add(row[0]);
            }
        }
        Collections.sort(names);
        return names;
    }

    private static List<String> namesOf(Object[] parts) {
        List<String> names = new ArrayList<>();
        for (Object row : parts) {
            names.add(((String[]) row)[0]);
        }
        Collections.sort(names);
        return names;
    }

    @Test
    void progressRisesInStepsOfAtLeastAHundredthAndTheGroupsHoldEveryPart() {
        RecordingHandler handler = new RecordingHandler();
        Object[] parts = distinctParts("p", 12);
        float[] totals = handler.packToFullSheets(NO_HOSTS, parts, BLADE, SHEET, SHEET);

        List<Float> values = new ArrayList<>(handler.progressValues);
        assertFalse(values.isEmpty());
        float previous = 0f;
        for (float value : values) {
            assertTrue(value >= 0f && value <= 0.99f, values::toString);
            assertTrue(Math.abs(value - previous) >= 0.01f, values::toString);
            previous = value;
        }
        assertEquals(previous, handler.getProgress());
        assertEquals(namesOf(parts), namesOfPackedParts(handler));
        assertTrue(totals[0] > 0 && totals[1] >= totals[0] && totals[2] >= totals[1], Arrays.toString(totals));
        assertTrue(ErrorLogHandler.lines().isEmpty());
    }

    /** The second run searches for a better layout as well: the abort stops the search too. */
    @Test
    void oneAbortStopsTwoRunsOnOtherThreadsWithZerosAndNoGroups() throws Exception {
        RecordingHandler first = new RecordingHandler();
        RecordingHandler second = new RecordingHandler();
        Future<float[]> firstRun = packOnAnotherThread(first, distinctParts("a", 70));
        Object[] secondParts = distinctParts("b", 70);
        Future<float[]> secondRun = threads.submit(() -> second.packOptimized(NO_HOSTS, secondParts, BLADE, SHEET,
                SHEET, PackHandler.FULL_SHEETS, PackHandler.DEFAULT_OPTIMIZE_EFFORT, 1));
        assertTrue(first.running.await(60, TimeUnit.SECONDS));
        assertTrue(second.running.await(60, TimeUnit.SECONDS));

        long abortedAt = System.nanoTime();
        new PackHandler().abortAllPacking();
        assertArrayEquals(ZEROS, firstRun.get(60, TimeUnit.SECONDS));
        assertArrayEquals(ZEROS, secondRun.get(60, TimeUnit.SECONDS));
        long latencyMillis = (System.nanoTime() - abortedAt) / 1_000_000;
        System.out.println("PackHandlerTest: both runs stopped " + latencyMillis + " ms after the abort");

        assertTrue(first.getResultGroups().isEmpty());
        assertTrue(second.getResultGroups().isEmpty());
        assertTrue(ErrorLogHandler.lines().isEmpty());
    }

    @Test
    void anAbortWhileNothingRunsChangesNothingLater() {
        PackHandler handler = new PackHandler();
        handler.abortAllPacking();
        Object[] parts = distinctParts("p", 6);
        float[] totals = handler.packToFullSheets(NO_HOSTS, parts, BLADE, SHEET, SHEET);
        assertNotEquals(0f, totals[0]);
        assertEquals(namesOf(parts), namesOfPackedParts(handler));
    }

    @Test
    void concurrentRunsReportToTheirOwnHandlers() throws Exception {
        RecordingHandler first = new RecordingHandler();
        RecordingHandler second = new RecordingHandler();
        Object[] firstParts = distinctParts("first-", 10);
        Object[] secondParts = distinctParts("second-", 14);
        Future<float[]> firstRun = packOnAnotherThread(first, firstParts);
        Future<float[]> secondRun = packOnAnotherThread(second, secondParts);
        firstRun.get(120, TimeUnit.SECONDS);
        secondRun.get(120, TimeUnit.SECONDS);
        assertEquals(namesOf(firstParts), namesOfPackedParts(first));
        assertEquals(namesOf(secondParts), namesOfPackedParts(second));
        assertFalse(first.progressValues.isEmpty());
        assertFalse(second.progressValues.isEmpty());
    }

    @Test
    void aPartLargerThanTheSheetIsLoggedOnceAndGivesZerosAndNoGroups() {
        PackHandler handler = new PackHandler();
        Object[] parts = {part("small", rectangle(10, 10)), part("too long", rectangle(SHEET + 50, 10))};
        assertArrayEquals(ZEROS, handler.packToFullSheets(NO_HOSTS, parts, BLADE, SHEET, SHEET));
        assertTrue(handler.getResultGroups().isEmpty());
        assertEquals(List.of("Zelkor::Exception was thrown during call to"
                + " Zelkor::Rectilinear::Math::packPolygonsToInventory():\n\tRectilinearMath[722] Exception occurred."),
                ErrorLogHandler.lines());
    }

    /**
     * Hosts of 30 and 60 units square and a 100 unit standard sheet; three parts that fit only the small host,
     * only the large one and only the sheet respectively, and none together. The groups come host by host in
     * the order of the mode, with the parts' own names and outlines.
     */
    @Test
    void groupsArriveHostByHostInTheOrderOfTheMode() {
        Object[] hosts = {part("large", rectangle(60, 60)), part("small", rectangle(30, 30))};
        Object[] parts = {part("p-small", rectangle(20, 20)), part("p-large", "0,0 50,0 50,50 0,50"),
            part("p-sheet", "0,0 70,0 70,10 10,10 10,70 0,70")};
        assertGroups(List.of("small:p-small", "large:p-large", ":p-sheet"), hosts, parts,
                (handler, h) -> handler.packToMinimumAreaOutfall(h, parts, BLADE, SHEET, SHEET));
        assertGroups(List.of("large:p-large", "small:p-small", ":p-sheet"), hosts, parts,
                (handler, h) -> handler.packToMaximumAreaOutfall(h, parts, BLADE, SHEET, SHEET));
    }

    private static void assertGroups(List<String> expected, Object[] hosts, Object[] parts,
            BiConsumer<PackHandler, Object[]> pack) {
        List<String> received = new ArrayList<>();
        PackHandler handler = new PackHandler() {
            @Override
            public void addResultGroup(String hostId, String[][] group) {
                super.addResultGroup(hostId, group);
                for (String[] row : group) {
                    received.add(hostId + ":" + row[0]);
                }
            }
        };
        pack.accept(handler, hosts);
        assertEquals(expected, received);
        for (PackHandler.ResultGroup group : handler.getResultGroups()) {
            for (String[] row : group.getParts()) {
                String original = null;
                for (Object p : parts) {
                    if (((String[]) p)[0].equals(row[0])) {
                        original = ((String[]) p)[1];
                    }
                }
                assertEquals(outline(original), outline(row[1]), row[0] + " placed as " + row[1]);
            }
        }
    }

    /** The corners of a polygon moved to the origin, in the least of its four quarter-turn orientations. */
    private static String outline(String polygon) {
        List<int[]> corners = HoledPolygon.parseCorners(polygon);
        String least = null;
        for (int turn = 0; turn < 4; turn++) {
            int minX = Integer.MAX_VALUE;
            int minY = Integer.MAX_VALUE;
            for (int[] c : corners) {
                minX = Math.min(minX, c[0]);
                minY = Math.min(minY, c[1]);
            }
            TreeSet<String> normalized = new TreeSet<>();
            List<int[]> turned = new ArrayList<>();
            for (int[] c : corners) {
                normalized.add((c[0] - minX) + "," + (c[1] - minY));
                turned.add(new int[] {-c[1], c[0]});
            }
            String text = normalized.toString();
            if (least == null || text.compareTo(least) < 0) {
                least = text;
            }
            corners = turned;
        }
        return least;
    }

    /**
     * An off-cut without a name, given as a bare text or with an empty name, comes back named by its text as
     * passed, so that an empty host id always means a standard sheet: every part lies inside the host its
     * group names.
     */
    @Test
    void anUnnamedOffCutComesBackNamedByItsText() {
        String offCut = "1000,1000 1030,1000 1030,1020 1000,1020";
        int[] offCutBounds = {1000, 1000, 1030, 1020};
        int[] sheetBounds = {0, 0, 40, 40};
        Object[] parts = {part("p", rectangle(30, 20)), part("q", rectangle(30, 20))};
        for (Object host : new Object[] {offCut, part("", offCut)}) {
            PackHandler handler = new PackHandler();
            handler.packToMinimumAreaOutfall(new Object[] {host}, parts, 0, 40, 40);
            List<String> hostIds = new ArrayList<>();
            for (PackHandler.ResultGroup group : handler.getResultGroups()) {
                hostIds.add(group.getHostId());
                int[] bounds = group.getHostId().isEmpty() ? sheetBounds : offCutBounds;
                for (String[] row : group.getParts()) {
                    for (int[] c : HoledPolygon.parseCorners(row[1])) {
                        assertTrue(c[0] >= bounds[0] && c[1] >= bounds[1] && c[0] <= bounds[2] && c[1] <= bounds[3],
                                group + ": " + row[0] + " at " + row[1]);
                    }
                }
            }
            assertEquals(List.of(offCut, ""), hostIds);
        }
    }

    @Test
    void aJavaExceptionThrownByACallbackStopsTheRunAndReachesTheCaller() {
        IllegalStateException stop = new IllegalStateException("stop");
        PackHandler throwsOnProgress = new PackHandler() {
            @Override
            public void setProgressPercentage(float progress) {
                throw stop;
            }
        };
        List<String> hostsSeen = new ArrayList<>();
        PackHandler throwsOnFirstGroup = new PackHandler() {
            @Override
            public void addResultGroup(String hostId, String[][] group) {
                hostsSeen.add(hostId);
                throw stop;
            }
        };
        Object[] parts = distinctParts("p", 6);
        for (PackHandler handler : List.of(throwsOnProgress, throwsOnFirstGroup)) {
            assertSame(stop, assertThrows(IllegalStateException.class,
                    () -> handler.packToFullSheets(NO_HOSTS, parts, BLADE, SHEET, SHEET)));
        }
        assertEquals(List.of(""), hostsSeen);
        assertTrue(ErrorLogHandler.lines().isEmpty());
    }

    /** Every part placed, as "host: name polygon", in the order delivered. */
    private static List<String> placements(PackHandler handler) {
        List<String> placements = new ArrayList<>();
        for (PackHandler.ResultGroup group : handler.getResultGroups()) {
            for (String[] row : group.getParts()) {
                placements.add(group.getHostId() + ": " + row[0] + " " + row[1]);
            }
        }
        return placements;
    }

    /**
     * Cells of a {@code length} by {@code width} host covered by the parts, each cell once at most: fails on a
     * part that overlaps another or leaves the host.
     */
    private static void assertPartsInsideWithoutOverlap(PackHandler.ResultGroup group, int length, int width) {
        boolean[][] covered = new boolean[length][width];
        for (String[] row : group.getParts()) {
            List<int[]> corners = HoledPolygon.parseCorners(row[1]);
            int[] low = {Integer.MAX_VALUE, Integer.MAX_VALUE};
            int[] high = {Integer.MIN_VALUE, Integer.MIN_VALUE};
            for (int[] c : corners) {
                for (int axis = 0; axis < 2; axis++) {
                    low[axis] = Math.min(low[axis], c[axis]);
                    high[axis] = Math.max(high[axis], c[axis]);
                }
            }
            assertTrue(low[0] >= 0 && low[1] >= 0 && high[0] <= length && high[1] <= width, group + ": " + row[1]);
            for (int x = low[0]; x < high[0]; x++) {
                for (int y = low[1]; y < high[1]; y++) {
                    // The cell's centre is inside when a ray to the right crosses an odd number of vertical edges.
                    boolean inside = false;
                    for (int i = 0; i < corners.size(); i++) {
                        int[] a = corners.get(i);
                        int[] b = corners.get((i + 1) % corners.size());
                        if (a[0] == b[0] && a[0] > x && Math.min(a[1], b[1]) <= y && y < Math.max(a[1], b[1])) {
                            inside = !inside;
                        }
                    }
                    if (inside) {
                        assertFalse(covered[x][y], group + ": " + row[0] + " overlaps at " + x + "," + y);
                        covered[x][y] = true;
                    }
                }
            }
        }
    }

    /**
     * In every mode, an optimizing run places every part once, in its own shape, inside its host and clear of
     * the others, on no more hosts than the mode's own method; without effort it gives that method's groups.
     * Whether it finds fewer hosts is the search's business, not this test's.
     */
    @Test
    void anOptimizedPackIsValidAndUsesNoMoreHostsThanTheSpecifiedOne() throws Exception {
        PackingJob job = PackingJob.parse("sheet 100 100\nblade 2\nhost a " + rectangle(40, 40) + "\nhost b "
                + rectangle(50, 30) + "\npart door " + rectangle(25, 15) + " x6\npart side " + rectangle(12, 30)
                + " x4\npart ell 0,0 20,0 20,10 10,10 10,20 0,20 x3\n");
        Object[] parts = job.parts.toArray();
        Map<String, String> outlines = new HashMap<>();
        for (String[] row : job.parts) {
            outlines.put(row[0], outline(row[1]));
        }
        for (PackingJob.Mode mode : PackingJob.Mode.values()) {
            PackHandler specified = new PackHandler();
            float[] specifiedTotals = mode.pack(specified, job);
            PackHandler unsearched = new PackHandler();
            assertArrayEquals(specifiedTotals, unsearched.packOptimized(job.hosts.toArray(), parts, 2, 100, 100,
                    mode.number, -1, 7), mode.text);
            assertEquals(placements(specified), placements(unsearched));

            job.optimizeEffort = 20;
            job.optimizeSeed = 7;
            PackHandler optimized = new PackHandler();
            float[] totals = mode.pack(optimized, job);
            job.optimizeEffort = 0;
            assertTrue(totals[0] > 0 && totals[0] <= totals[2], mode.text + ": " + Arrays.toString(totals));
            assertTrue(optimized.getResultGroups().size() <= specified.getResultGroups().size(), mode.text);
            assertEquals(namesOf(parts), namesOfPackedParts(optimized), mode.text);
            for (PackHandler.ResultGroup group : optimized.getResultGroups()) {
                int[] size = group.getHostId().isEmpty() ? new int[] {100, 100}
                        : group.getHostId().equals("a") ? new int[] {40, 40} : new int[] {50, 30};
                assertPartsInsideWithoutOverlap(group, size[0], size[1]);
                for (String[] row : group.getParts()) {
                    assertEquals(outlines.get(row[0]), outline(row[1]), row[0]);
                }
            }
        }
        assertThrows(IllegalArgumentException.class,
                () -> new PackHandler().packOptimized(NO_HOSTS, parts, BLADE, SHEET, SHEET, 3, 1, 1));
        assertTrue(ErrorLogHandler.lines().isEmpty());
    }

    @Test
    void malformedPartTextsEndInTheCrashReport() throws Exception {
        CrashReports.assertEndsInOneCrashReport("diagonalPartToPack");
    }
}
