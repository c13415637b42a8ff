package zelkor.marvane;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;

/**
 * The host application's packing job: reads a job file, packs its parts onto its off-cuts and standard sheets
 * with {@link PackHandler}, follows the run on a progress bar and prints a summary. It writes the job as packed
 * (job.txt) and the groups the library answered (result.txt) in the text forms the library's tools read;
 * scripts/run-demo then draws them with {@code pack_job --results}: one SVG picture per host used and an
 * index.html that shows them with the summary.
 *
 * <pre>
 * PackingDemo [--mode full-sheets|minimum-outfall|maximum-outfall] [--out DIR] [JOB]
 * PackingDemo --cutting [SVG]      the cutting demo ({@link Demo})
 * </pre>
 */
public final class PackingDemo {
    public static final String DEFAULT_JOB = "tools/jobs/cabinet-order.job";
    public static final String DEFAULT_OUTPUT = "build/demo/packing";
    /** The files written into the output directory: the job as packed and the library's groups. */
    public static final String JOB_FILE = "job.txt";
    public static final String RESULTS_FILE = "result.txt";
    static final String USAGE = "usage: run-demo [--mode full-sheets|minimum-outfall|maximum-outfall] [--out DIR] [JOB]\n"
            + "       run-demo --cutting [SVG]\n"
            + "\n"
            + "Packs JOB (default " + DEFAULT_JOB + ") in the job's mode, or the one given with --mode,\n"
            + "prints a summary and writes job.txt and result.txt into DIR (default " + DEFAULT_OUTPUT + "),\n"
            + "from which pack_job draws one SVG per host used and index.html. --cutting runs the\n"
            + "cutting demo instead.";

    private PackingDemo() {
    }

    /** One host used: its name (empty for a standard sheet), its outline and the parts placed on it. */
    public static final class Group {
        public final String hostId;
        public final String hostOutline;
        /** {name, polygon text} rows, in host coordinates. */
        public final String[][] parts;
        public final long partArea;
        public final long hostArea;

        Group(String hostId, String hostOutline, String[][] parts) {
            this.hostId = hostId;
            this.hostOutline = hostOutline;
            this.parts = parts;
            long area = 0;
            for (String[] part : parts) {
                area += new HoledPolygon(part[1]).getArea();
            }
            this.partArea = area;
            this.hostArea = new HoledPolygon(hostOutline).getArea();
        }

        public String hostLabel() {
            return hostId.isEmpty() ? "standard sheet" : hostId;
        }

        public double utilization() {
            return hostArea == 0 ? 0 : (double) partArea / hostArea;
        }
    }

    /** A finished run: what the library answered and where its text went. */
    public static final class Run {
        public final Path jobFile;
        public final PackingJob job;
        public final PackingJob.Mode mode;
        public final List<Group> groups = new ArrayList<>();
        /** The packing entry's answer: total part area, total merged area, total host area. */
        public float[] totals;
        public long nanoseconds;
        public Path outputDirectory;

        Run(Path jobFile, PackingJob job, PackingJob.Mode mode) {
            this.jobFile = jobFile;
            this.job = job;
            this.mode = mode;
        }

        public long jobPartArea() {
            long area = 0;
            for (String[] part : job.parts) {
                area += new HoledPolygon(part[1]).getArea();
            }
            return area;
        }

        public long placedPartArea() {
            return groups.stream().mapToLong(g -> g.partArea).sum();
        }

        public long usedHostArea() {
            return groups.stream().mapToLong(g -> g.hostArea).sum();
        }

        public int placedPartCount() {
            return groups.stream().mapToInt(g -> g.parts.length).sum();
        }

        public long standardSheetsUsed() {
            return groups.stream().filter(g -> g.hostId.isEmpty()).count();
        }

        /** Standard sheets that the parts need at least, by area alone. */
        public long sheetLowerBound() {
            long sheetArea = (long) job.sheetLength * job.sheetWidth;
            return (jobPartArea() + sheetArea - 1) / sheetArea;
        }

        /**
         * Names of the job's parts missing from the result (prefixed "missing ") or placed more often than
         * the job has them (prefixed "extra ").
         */
        public List<String> partMismatches() {
            Map<String, Integer> count = new HashMap<>();
            for (String[] part : job.parts) {
                count.merge(part[0], 1, Integer::sum);
            }
            for (Group group : groups) {
                for (String[] part : group.parts) {
                    count.merge(part[0], -1, Integer::sum);
                }
            }
            List<String> mismatches = new ArrayList<>();
            for (String[] part : job.parts) {
                Integer left = count.remove(part[0]);
                if (left != null && left != 0) {
                    mismatches.add((left > 0 ? "missing " : "extra ") + "'" + part[0] + "'");
                }
            }
            count.forEach((name, left) -> mismatches.add("extra '" + name + "'"));
            return mismatches;
        }
    }

    /** Thrown for arguments that make no sense; the message says why. */
    static final class UsageException extends Exception {
        private static final long serialVersionUID = 1L;

        UsageException(String message) {
            super(message);
        }
    }

    public static void main(String[] args) throws IOException {
        if (args.length > 0 && args[0].equals("--cutting")) {
            Demo.main(Arrays.copyOfRange(args, 1, args.length));
            return;
        }
        if (args.length > 0 && (args[0].equals("--help") || args[0].equals("-h"))) {
            System.out.println(USAGE);
            return;
        }
        try {
            run(args, System.out);
        } catch (UsageException e) {
            System.err.println(e.getMessage());
            System.err.println(USAGE);
            System.exit(2);
        } catch (PackingJob.FormatException e) {
            System.err.println(e.getMessage());
            System.exit(1);
        }
    }

    /** Runs the job the arguments name, prints to {@code out} and writes the job and results text. */
    public static Run run(String[] args, PrintStream out) throws IOException, UsageException {
        Path jobFile = Paths.get(DEFAULT_JOB);
        Path output = Paths.get(DEFAULT_OUTPUT);
        PackingJob.Mode mode = null;
        for (int i = 0; i < args.length; i++) {
            String arg = args[i];
            if (arg.equals("--mode") || arg.equals("--out")) {
                if (i + 1 == args.length) {
                    throw new UsageException(arg + " needs a value");
                }
                String value = args[++i];
                if (arg.equals("--out")) {
                    output = Paths.get(value);
                } else {
                    try {
                        mode = PackingJob.Mode.parse(value);
                    } catch (IllegalArgumentException e) {
                        throw new UsageException(e.getMessage());
                    }
                }
            } else if (arg.startsWith("-")) {
                throw new UsageException("unknown option " + arg);
            } else {
                jobFile = Paths.get(arg);
            }
        }

        PackingJob job;
        try {
            job = PackingJob.read(jobFile);
        } catch (PackingJob.FormatException e) {
            throw new PackingJob.FormatException(0, jobFile + ": " + e.getMessage());
        }
        Run run = new Run(jobFile, job, mode != null ? mode : job.mode);
        out.printf(Locale.ROOT, "Job %s: %d parts, %d off-cut(s) in stock, standard sheet %d x %d, blade %d, mode %s%s%n",
                jobFile, job.parts.size(), job.hosts.size(), job.sheetLength, job.sheetWidth, job.bladeWidth,
                run.mode.text, job.optimizeEffort > 0 ? ", optimize " + job.optimizeEffort : "");
        if (job.partsWithGrain() > 0) {
            out.printf(Locale.ROOT, "Note: %d part(s) are marked to keep their grain; the packing entries take no grain"
                    + " and may turn them (pack_job honours it)%n", job.partsWithGrain());
        }
        pack(run, out);
        printSummary(run, out);
        writeFiles(run, output);
        out.println("Job and results: " + output.resolve(JOB_FILE) + ", " + output.resolve(RESULTS_FILE));
        return run;
    }

    /** Packs the run's job, showing progress on a terminal, and fills in its groups, totals and time. */
    static void pack(Run run, PrintStream out) {
        ProgressBar bar = new ProgressBar(System.console() != null ? out : null);
        PackHandler handler = new PackHandler() {
            @Override
            public void setProgressPercentage(float progress) {
                super.setProgressPercentage(progress);
                bar.show(progress);
            }
        };
        long start = System.nanoTime();
        run.totals = run.mode.pack(handler, run.job);
        run.nanoseconds = System.nanoTime() - start;
        bar.finish();
        for (PackHandler.ResultGroup group : handler.getResultGroups()) {
            String outline = group.getHostId().isEmpty() ? run.job.sheetPolygon()
                    : run.job.hostPolygon(group.getHostId());
            if (outline == null) {
                throw new IllegalStateException("the packing named host '" + group.getHostId()
                        + "', which the job does not have");
            }
            run.groups.add(new Group(group.getHostId(), outline, group.getParts()));
        }
    }

    /** A bar of 40 cells on one terminal line, redrawn when the shown percentage changes. */
    private static final class ProgressBar {
        private static final int CELLS = 40;
        private final PrintStream terminal;
        private int shown = -1;

        ProgressBar(PrintStream terminal) {
            this.terminal = terminal;
        }

        void show(float fraction) {
            int percent = Math.max(0, Math.min(100, Math.round(fraction * 100)));
            if (terminal == null || percent == shown) {
                return;
            }
            shown = percent;
            int filled = percent * CELLS / 100;
            terminal.print("\rPacking [" + "#".repeat(filled) + " ".repeat(CELLS - filled) + "] "
                    + String.format(Locale.ROOT, "%3d%%", percent));
            terminal.flush();
        }

        void finish() {
            if (terminal != null) {
                show(1);
                terminal.println();
            }
        }
    }

    static String squareMetres(double area) {
        return String.format(Locale.ROOT, "%.3f", area / 1e6);
    }

    static String percent(double fraction) {
        return String.format(Locale.ROOT, "%.1f %%", fraction * 100);
    }

    static void printSummary(Run run, PrintStream out) {
        out.printf(Locale.ROOT, "Packed in %.2f s: %d host(s) used, %d of them standard sheets%n",
                run.nanoseconds / 1e9, run.groups.size(), run.standardSheetsUsed());
        out.println();
        out.printf(Locale.ROOT, "  %3s  %-16s %6s %12s %12s %12s%n", "#", "host", "parts", "parts m²", "host m²",
                "utilization");
        for (int i = 0; i < run.groups.size(); i++) {
            Group g = run.groups.get(i);
            out.printf(Locale.ROOT, "  %3d  %-16s %6d %12s %12s %12s%n", i + 1, g.hostLabel(), g.parts.length,
                    squareMetres(g.partArea), squareMetres(g.hostArea), percent(g.utilization()));
        }
        long hostArea = run.usedHostArea();
        out.printf(Locale.ROOT, "       %-16s %6d %12s %12s %12s%n", "overall", run.placedPartCount(),
                squareMetres(run.placedPartArea()), squareMetres(hostArea),
                percent(hostArea == 0 ? 0 : (double) run.placedPartArea() / hostArea));
        out.println();
        out.printf(Locale.ROOT, "Parts placed: %d of %d%n", run.placedPartCount(), run.job.parts.size());
        List<String> mismatches = run.partMismatches();
        if (!mismatches.isEmpty()) {
            out.println("  not as ordered: " + String.join(", ", mismatches));
        }
        out.printf(Locale.ROOT, "Lower bound by area: %d standard sheet(s) (parts %s m², sheet %s m²)%n",
                run.sheetLowerBound(), squareMetres(run.jobPartArea()),
                squareMetres((double) run.job.sheetLength * run.job.sheetWidth));
        out.println("Library totals (parts and hosts grown by half the blade):");
        out.printf(Locale.ROOT, "  part area %s, merged area %s, host area %s%n", Float.toString(run.totals[0]),
                Float.toString(run.totals[1]), Float.toString(run.totals[2]));
        out.printf(Locale.ROOT, "Time: %.2f s%n", run.nanoseconds / 1e9);
    }

    /**
     * Writes job.txt and result.txt into {@code directory}, after removing the pictures of an earlier run
     * there, which no longer match.
     */
    static void writeFiles(Run run, Path directory) throws IOException {
        Files.createDirectories(directory);
        try (DirectoryStream<Path> old = Files.newDirectoryStream(directory, "{host-*.svg,index.html}")) {
            for (Path file : old) {
                Files.delete(file);
            }
        }
        run.outputDirectory = directory;
        write(directory.resolve(JOB_FILE), jobText(run));
        write(directory.resolve(RESULTS_FILE), resultText(run));
    }

    /** The job as packed, in the job text form: the run's mode in place of the job's own. */
    static String jobText(Run run) {
        return run.job.toText(run.jobFile + " as packed", run.mode);
    }

    /** The groups and totals as plain text: "group HOST" ("-" for a standard sheet), parts, "totals A M H". */
    static String resultText(Run run) {
        StringBuilder text = new StringBuilder();
        for (Group group : run.groups) {
            text.append("group ").append(group.hostId.isEmpty() ? "-" : group.hostId).append('\n');
            for (String[] part : group.parts) {
                text.append("  ").append(part[0].isEmpty() ? "-" : part[0]).append(' ').append(part[1]).append('\n');
            }
        }
        text.append("totals ").append(run.totals[0]).append(' ').append(run.totals[1]).append(' ')
                .append(run.totals[2]).append('\n');
        return text.toString();
    }

    private static void write(Path file, String text) throws IOException {
        Files.write(file, text.getBytes(StandardCharsets.UTF_8));
    }
}
