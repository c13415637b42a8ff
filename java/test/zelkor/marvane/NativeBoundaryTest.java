package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.lang.reflect.Method;
import java.time.Duration;
import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import org.junit.jupiter.api.Test;

/**
 * Every native method, found by reflection, against awkward arguments, malformed shapes and long runs of calls,
 * each in a child JVM under -Xcheck:jni, so that a crash or a hang fails the test instead of ending this JVM.
 *
 * <p>What each native method gives when its arguments hold no shape: null texts and arrays, empty arrays,
 * rows that are null, empty, of one null element, of three elements or of another type, null or empty segment
 * texts, and zero or negative widths and sizes:
 *
 * <pre>
 * splitSegmentsBySegments                       RectilinearSegment[0]; an exception thrown by a segment's
 *                                               toString() reaches the caller
 * getPolygonLabelPosition                       Point(0,0)
 * segmentIntersectsPolygon                      false
 * setCanBeCutWith                               true (an empty row needs no cut)
 * getOutfallFrom, getCutLines,
 *   getAllCutsThatCanBeAdded                    an array of length 0
 * makeCutOnPolygonSet, removeCutFromPolygonSet  no index and no piece
 * filterHostsThatCanContain                     false for each host row
 * getAllPossibleTranslationsForShapeWithinHost  Point[0]
 * getShapePositionedWithinHost,
 *   getShapeRotatedAndPositionedWithinHost      ""
 * getBestPositionForSetInHost                   one {name, ""} row for each row of the set
 * packToFullSheets, packToMinimumAreaOutfall,
 *   packToMaximumAreaOutfall, packOptimized     {0, 0, 0} and no group
 * abortAllPacking                               returns
 * </pre>
 *
 * The rules behind it: a null text is the empty shape and a null array the empty array; a null or empty
 * segment text is no segment (no cut to make or remove, nothing met); a negative width, padding or sheet size
 * reads as 0, and so does a negative effort (packOptimized's mode must be one of the three, its seed is any
 * number); the packing entries leave out rows that read as the empty polygon; an outfall or cut piece
 * without material is left out. Among typical arguments, one awkward argument still gives an answer, and a
 * negative number the same answer as 0. A malformed shape (a slanted edge, a slanted segment) in any argument
 * of any method ends the process with the one crash report.
 *
 * <p>The memory check calls each method 5,000 times with typical arguments; set ZELKOR_LEAK_CALLS (to
 * 100000, say) to run longer.
 */
class NativeBoundaryTest {
    /** Growth of the resident set allowed over one method's calls. */
    private static final long TOLERATED_GROWTH_KB = 256;

    private static Set<String> nativeMethodNames() {
        Set<String> names = new TreeSet<>();
        for (Method method : NativeBoundaryProbe.nativeMethods()) {
            names.add(method.getName());
        }
        return names;
    }

    private static void assertNoJniWarnings(ChildJvm child) {
        assertEquals(List.of(), child.jniWarnings(), child.output);
    }

    @Test
    void everyAwkwardCallGivesADefinedAnswer() throws Exception {
        assertEquals(19, nativeMethodNames().size());
        ChildJvm child = ChildJvm.run(List.of(), Duration.ofSeconds(120), NativeBoundaryProbe.class, "sweep");
        assertEquals(0, child.exitCode, child.output);
        assertEquals(List.of(), child.linesStartingWith("BAD "), child.output);
        assertTrue(child.linesStartingWith("CrashHandler").isEmpty(), child.output);
        assertEquals(1, child.linesStartingWith("SWEPT ").size(), child.output);
        assertNoJniWarnings(child);
        Set<String> tabled = new TreeSet<>();
        for (String line : child.linesStartingWith("TABLE ")) {
            tabled.add(line.substring(0, line.indexOf(':')).split(" ")[0]);
        }
        assertEquals(nativeMethodNames(), tabled);
    }

    @Test
    void aMalformedShapeInAnyArgumentEndsInTheCrashReport() throws Exception {
        ExecutorService pool = Executors.newFixedThreadPool(2);
        try {
            List<Future<ChildJvm>> children = new ArrayList<>();
            for (Method method : NativeBoundaryProbe.nativeMethods()) {
                for (int parameter : NativeBoundaryProbe.shapeParameters(method)) {
                    children.add(pool.submit(() -> ChildJvm.run(List.of(), Duration.ofSeconds(60),
                            NativeBoundaryProbe.class, "crash", method.getName(), Integer.toString(parameter))));
                }
            }
            for (Future<ChildJvm> child : children) {
                CrashReports.assertOneCrashReport(child.get());
            }
        } finally {
            pool.shutdownNow();
        }
    }

    @Test
    void repeatedCallsKeepNativeMemoryFlat() throws Exception {
        String configured = System.getenv("ZELKOR_LEAK_CALLS");
        int calls = configured == null ? 5_000 : Integer.parseInt(configured);
        // The interpreter only, a fixed heap touched in advance and one collector thread: nothing but a leak
        // makes the resident set grow.
        List<String> steadyJvm = List.of("-Xint", "-Xms64m", "-Xmx64m", "-XX:+AlwaysPreTouch", "-XX:+UseSerialGC");
        ChildJvm child = ChildJvm.run(steadyJvm, Duration.ofSeconds(60 + calls / 100), NativeBoundaryProbe.class,
                "leak", Integer.toString(calls));
        assertEquals(0, child.exitCode, child.output);
        assertNoJniWarnings(child);
        List<String> lines = child.linesStartingWith("LEAK ");
        Set<String> measured = new TreeSet<>();
        for (String line : lines) {
            String[] fields = line.split(" ");
            long growth = Long.parseLong(fields[2]) - Long.parseLong(fields[1]);
            System.out.println(calls + " calls of " + fields[0] + ": resident " + fields[1] + " kB before, "
                    + fields[2] + " kB after, " + fields[3] + " ms");
            assertTrue(growth <= TOLERATED_GROWTH_KB, fields[0] + " grew by " + growth + " kB:\n" + child.output);
            measured.add(fields[0]);
        }
        assertEquals(nativeMethodNames(), measured);
    }
}
