package zelkor.marvane;

import java.util.ArrayList;
import java.util.List;

/** Receives the native library's report of a fatal error, just before the process ends. */
public final class CrashHandler {
    private static final List<String> reports = new ArrayList<>();

    private CrashHandler() {
    }

    public static synchronized void fatalErrorOccurred(String message) {
        reports.add(message);
        System.err.println("CrashHandler.fatalErrorOccurred: " + message);
        System.err.flush();
    }

    public static synchronized List<String> reports() {
        return new ArrayList<>(reports);
    }
}
