package zelkor.marvane;

import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.time.Duration;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;

/**
 * Runs a main class of the tests in a separate JVM under -Xcheck:jni, so that a native crash ends only that JVM.
 * The child's standard output and error are kept together, in order.
 */
final class ChildJvm {
    final int exitCode;
    final String output;

    private ChildJvm(int exitCode, String output) {
        this.exitCode = exitCode;
        this.output = output;
    }

    static ChildJvm run(Class<?> mainClass, String... args) throws IOException, InterruptedException {
        return run(List.of(), Duration.ofSeconds(60), mainClass, args);
    }

    /** A child that is still running when the timeout ends is killed, and the run fails. */
    static ChildJvm run(List<String> jvmOptions, Duration timeout, Class<?> mainClass, String... args)
            throws IOException, InterruptedException {
        List<String> command = new ArrayList<>();
        command.add(System.getProperty("java.home") + "/bin/java");
        command.add("-Djava.library.path=" + System.getProperty("java.library.path"));
        command.add("-XX:-CreateCoredumpOnCrash");
        command.add("-Xcheck:jni");
        command.addAll(jvmOptions);
        command.add("-cp");
        command.add(System.getProperty("zelkor.test.classpath"));
        command.add(mainClass.getName());
        command.addAll(List.of(args));
        // The output goes to a file, not a pipe, so that a child that hangs cannot keep us from timing out.
        File outputFile = File.createTempFile("child-jvm", ".out");
        try {
            Process process = new ProcessBuilder(command).redirectErrorStream(true)
                    .redirectOutput(outputFile).start();
            if (!process.waitFor(timeout.toMillis(), TimeUnit.MILLISECONDS)) {
                process.destroyForcibly().waitFor();
                throw new IllegalStateException("child JVM still running after " + timeout + ":\n"
                        + read(outputFile));
            }
            return new ChildJvm(process.exitValue(), read(outputFile));
        } finally {
            Files.deleteIfExists(outputFile.toPath());
        }
    }

    private static String read(File file) throws IOException {
        return new String(Files.readAllBytes(file.toPath()), StandardCharsets.UTF_8);
    }

    /** Lines of the child's output that start with the given prefix. */
    List<String> linesStartingWith(String prefix) {
        List<String> lines = new ArrayList<>();
        for (String line : output.split("\n")) {
            if (line.startsWith(prefix)) {
                lines.add(line.substring(prefix.length()));
            }
        }
        return lines;
    }

    /** Lines in which -Xcheck:jni reports misuse of JNI. */
    List<String> jniWarnings() {
        List<String> lines = new ArrayList<>();
        for (String line : output.split("\n")) {
            if (line.contains("WARNING") || line.contains("FATAL ERROR in native method")) {
                lines.add(line);
            }
        }
        return lines;
    }
}
