package zelkor.marvane;

import java.util.ArrayList;
import java.util.List;

/** Receives the native library's error log lines and keeps them for inspection. */
public final class ErrorLogHandler {
    private static final List<String> lines = new ArrayList<>();

    private ErrorLogHandler() {
    }

    public static synchronized void log(String line) {
        lines.add(line);
        System.err.println("ErrorLogHandler.log: " + line);
    }

    public static synchronized List<String> lines() {
        return new ArrayList<>(lines);
    }

    public static synchronized void clear() {
        lines.clear();
    }
}
