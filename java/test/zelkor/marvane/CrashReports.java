package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.util.List;

/** Runs a crash probe in a child JVM and checks that it ended with exactly one crash report. */
final class CrashReports {
    private CrashReports() {
    }

    static void assertEndsInOneCrashReport(String probe) throws Exception {
        runToOneCrashReport(probe);
    }

    /** The probe's shape is refused: one crash report, and the reason on the process's standard error. */
    static void assertEndsInOneCrashReportRefusing(String probe, String reason) throws Exception {
        ChildJvm child = runToOneCrashReport(probe);
        List<String> refusals = child.linesStartingWith("InvalidPolygonException (");
        assertEquals(1, refusals.size(), child.output);
        assertTrue(refusals.get(0).endsWith("): " + reason), child.output);
    }

    private static ChildJvm runToOneCrashReport(String probe) throws Exception {
        ChildJvm child = ChildJvm.run(CrashProbe.class, probe);
        assertOneCrashReport(child);
        return child;
    }

    /** The child ended with exactly one crash report, without logging, returning or misusing JNI. */
    static void assertOneCrashReport(ChildJvm child) {
        assertEquals(List.of("Uncaught exception thrown in back end"),
                child.linesStartingWith("CrashHandler.fatalErrorOccurred: "), child.output);
        assertTrue(child.linesStartingWith("ErrorLogHandler.log: ").isEmpty(), child.output);
        assertTrue(child.linesStartingWith("RETURNED").isEmpty(), child.output);
        assertTrue(child.jniWarnings().isEmpty(), child.output);
        assertNotEquals(0, child.exitCode, child.output);
    }
}
