package zelkor.marvane;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;

/** Runs a main class of the tests in a separate JVM, so that a native crash ends only that JVM. */
final class ChildJvm {
    final int exitCode;
    final String output;

    private ChildJvm(int exitCode, String output) {
        this.exitCode = exitCode;
        this.output = output;
    }

    static ChildJvm run(Class<?> mainClass, String... args) throws IOException, InterruptedException {
        String java = System.getProperty("java.home") + "/bin/java";
        List<String> command = new ArrayList<>();
        command.add(java);
        command.add("-Djava.library.path=" + System.getProperty("java.library.path"));
        command.add("-XX:-CreateCoredumpOnCrash");
        command.add("-Xcheck:jni");
        command.add("-cp");
        command.add(System.getProperty("zelkor.test.classpath"));
        command.add(mainClass.getName());
        for (String arg : args) {
            command.add(arg);
        }
        Process process = new ProcessBuilder(command).redirectErrorStream(true).start();
        String output = readAll(process.getInputStream());
        if (!process.waitFor(60, TimeUnit.SECONDS)) {
            process.destroyForcibly();
            throw new IllegalStateException("child JVM did not end");
        }
        return new ChildJvm(process.exitValue(), output);
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

    private static String readAll(InputStream stream) throws IOException {
        ByteArrayOutputStream buffer = new ByteArrayOutputStream();
        stream.transferTo(buffer);
        return buffer.toString(StandardCharsets.UTF_8);
    }
}
