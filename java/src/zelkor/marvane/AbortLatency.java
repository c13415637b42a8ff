package zelkor.marvane;

import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Locale;
import java.util.Random;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;

/**
 * Measures how long a packing run takes to stop after {@link PackHandler#abortAllPacking}.
 *
 * <pre>
 * AbortLatency [TRIALS] [--write-job FILE]
 * </pre>
 *
 * Each trial packs the same generated 200-part job on a worker thread and aborts it at a moment drawn uniformly
 * between 0.2 s and 8 s after the run started. The latency is the time from just before the abort call to the
 * worker's return from the pack method. Runs that were done before the abort took effect (they deliver their
 * groups) are counted and left out of the figures. Job and abort moments come from fixed seeds, so every
 * invocation repeats the same trials. With --write-job the job is also written in the job text form, for
 * running it outside Java (pack_job).
 */
public final class AbortLatency {
    static final int DEFAULT_TRIALS = 40;
    static final int PARTS = 200;
    static final long JOB_SEED = 20_200L;
    static final long ABORT_SEED = 8_200L;
    static final double EARLIEST_ABORT_SECONDS = 0.2;
    static final double LATEST_ABORT_SECONDS = 8.0;

    private AbortLatency() {
    }

    /**
     * The job every trial packs: 3000 x 1500 sheets, a 4 unit blade, least outfall, four off-cuts in stock, and
     * 200 parts of 100 to 900 units: rectangles and L, T and U shapes, most of them in two or three identical
     * copies, each copy with a name of its own.
     */
    static PackingJob job() {
        PackingJob job = new PackingJob();
        job.sheetLength = 3000;
        job.sheetWidth = 1500;
        job.bladeWidth = 4;
        job.mode = PackingJob.Mode.MINIMUM_OUTFALL;
        job.hosts.add(new String[] {"offcut-1", "0,0 1200,0 1200,800 0,800"});
        job.hosts.add(new String[] {"offcut-2", "0,0 1800,0 1800,700 800,700 800,1400 0,1400"});
        job.hosts.add(new String[] {"offcut-3", "0,0 2000,0 2000,450 0,450"});
        job.hosts.add(new String[] {"offcut-4", "0,0 1500,0 1500,600 800,600 800,1100 0,1100"});

        Random random = new Random(JOB_SEED);
        int design = 0;
        while (job.parts.size() < PARTS) {
            design++;
            String kind;
            String outline;
            int w = between(random, 100, 900);
            int h = between(random, 100, 900);
            switch (random.nextInt(4)) {
                case 0:
                    kind = "rect";
                    outline = "0,0 " + w + ",0 " + w + "," + h + " 0," + h;
                    break;
                case 1: {
                    // A bottom bar of height a and a left leg of width b.
                    w = Math.max(w, 200);
                    h = Math.max(h, 200);
                    int a = between(random, 60, h / 2);
                    int b = between(random, 60, w / 2);
                    kind = "ell";
                    outline = "0,0 " + w + ",0 " + w + "," + a + " " + b + "," + a + " " + b + "," + h + " 0," + h;
                    break;
                }
                case 2: {
                    // A top bar of height t over a centred stem of width s.
                    w = Math.max(w, 200);
                    h = Math.max(h, 200);
                    int t = between(random, 60, h / 2);
                    int s = between(random, 60, w / 2);
                    int x0 = (w - s) / 2;
                    int x1 = x0 + s;
                    kind = "tee";
                    outline = x0 + ",0 " + x1 + ",0 " + x1 + "," + (h - t) + " " + w + "," + (h - t) + " " + w + ","
                            + h + " 0," + h + " 0," + (h - t) + " " + x0 + "," + (h - t);
                    break;
                }
                default: {
                    // Two walls of width c on a base of height d.
                    w = Math.max(w, 250);
                    h = Math.max(h, 200);
                    int c = between(random, 60, w / 3);
                    int d = between(random, 60, h / 2);
                    kind = "you";
                    outline = "0,0 " + w + ",0 " + w + "," + h + " " + (w - c) + "," + h + " " + (w - c) + "," + d
                            + " " + c + "," + d + " " + c + "," + h + " 0," + h;
                    break;
                }
            }
            int roll = random.nextInt(10);
            int copies = roll < 3 ? 1 : roll < 7 ? 2 : 3;
            for (int copy = 0; copy < copies && job.parts.size() < PARTS; copy++) {
                job.parts.add(new String[] {kind + "-" + design + "-" + (char) ('a' + copy), outline});
            }
        }
        return job;
    }

    private static int between(Random random, int low, int high) {
        return low + random.nextInt(high - low + 1);
    }

    /** The job in the job text form ({@link PackingJob#parse} reads it back). */
    static String jobText(PackingJob job) {
        return job.toText(job.parts.size() + " generated parts (AbortLatency)", job.mode);
    }

    /** The outcome of one trial. */
    static final class Trial {
        boolean finishedFirst;
        long latencyNanos;
        float progressAtAbort;
    }

    public static void main(String[] args) throws Exception {
        int trials = DEFAULT_TRIALS;
        String jobFile = null;
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("--write-job") && i + 1 < args.length) {
                jobFile = args[++i];
            } else if (args[i].matches("[1-9][0-9]*")) {
                trials = Integer.parseInt(args[i]);
            } else {
                System.err.println("usage: AbortLatency [TRIALS] [--write-job FILE]");
                System.exit(2);
            }
        }
        PackingJob job = job();
        if (jobFile != null) {
            Files.write(Paths.get(jobFile), jobText(job).getBytes(StandardCharsets.UTF_8));
        }
        run(job, trials, System.out);
    }

    static void run(PackingJob job, int trials, PrintStream out) throws Exception {
        out.printf(Locale.ROOT, "%d parts, %d off-cuts, %d x %d sheets, blade %d, %s; %d trials, abort %.1f to %.1f s"
                + " after the start%n", job.parts.size(), job.hosts.size(), job.sheetLength, job.sheetWidth,
                job.bladeWidth, job.mode.text, trials, EARLIEST_ABORT_SECONDS, LATEST_ABORT_SECONDS);
        Random random = new Random(ABORT_SEED);
        ExecutorService worker = Executors.newSingleThreadExecutor(r -> {
            Thread thread = new Thread(r, "packing");
            thread.setDaemon(true);
            return thread;
        });
        List<Trial> results = new ArrayList<>();
        try {
            for (int i = 0; i < trials; i++) {
                double delay = EARLIEST_ABORT_SECONDS
                        + random.nextDouble() * (LATEST_ABORT_SECONDS - EARLIEST_ABORT_SECONDS);
                Trial trial = trial(worker, job, delay);
                results.add(trial);
                out.printf(Locale.ROOT, "trial %2d: abort at %5.2f s, progress %.2f: %s%n", i + 1, delay,
                        trial.progressAtAbort, trial.finishedFirst ? "finished before the abort"
                                : String.format(Locale.ROOT, "stopped after %.1f ms", trial.latencyNanos / 1e6));
            }
        } finally {
            worker.shutdownNow();
        }
        summarize(results, out);
    }

    private static Trial trial(ExecutorService worker, PackingJob job, double delaySeconds) throws Exception {
        PackHandler handler = new PackHandler();
        long[] startedAt = new long[1];
        long[] returnedAt = new long[1];
        Object startLock = new Object();
        Future<float[]> run = worker.submit(() -> {
            synchronized (startLock) {
                startedAt[0] = System.nanoTime();
                startLock.notifyAll();
            }
            float[] totals = job.mode.pack(handler, job);
            returnedAt[0] = System.nanoTime();
            return totals;
        });
        long started;
        synchronized (startLock) {
            while (startedAt[0] == 0) {
                startLock.wait();
            }
            started = startedAt[0];
        }
        long abortAt = started + (long) (delaySeconds * 1e9);
        for (long left = abortAt - System.nanoTime(); left > 0; left = abortAt - System.nanoTime()) {
            if (run.isDone()) {
                break;
            }
            TimeUnit.NANOSECONDS.sleep(Math.min(left, 50_000_000L));
        }
        Trial trial = new Trial();
        trial.progressAtAbort = handler.getProgress();
        long abortCalled = System.nanoTime();
        handler.abortAllPacking();
        float[] totals = run.get(10, TimeUnit.MINUTES);
        // An aborted run answers zeros and delivers no group; a run that answers anything else was done first.
        trial.finishedFirst = totals[0] != 0f || !handler.getResultGroups().isEmpty();
        trial.latencyNanos = returnedAt[0] - abortCalled;
        return trial;
    }

    private static void summarize(List<Trial> results, PrintStream out) {
        long finished = results.stream().filter(t -> t.finishedFirst).count();
        long[] latencies = results.stream().filter(t -> !t.finishedFirst).mapToLong(t -> t.latencyNanos).toArray();
        Arrays.sort(latencies);
        out.printf("%d of %d trials finished before the abort (left out)%n", finished, results.size());
        if (latencies.length == 0) {
            return;
        }
        out.printf(Locale.ROOT, "abort latency over %d trials: p50 %.1f ms, p90 %.1f ms, p95 %.1f ms, max %.1f ms%n",
                latencies.length, percentile(latencies, 50), percentile(latencies, 90), percentile(latencies, 95),
                latencies[latencies.length - 1] / 1e6);
    }

    /** The nearest-rank percentile of sorted nanoseconds, in milliseconds. */
    static double percentile(long[] sorted, int p) {
        int rank = (int) Math.ceil(p / 100.0 * sorted.length);
        return sorted[Math.max(rank, 1) - 1] / 1e6;
    }
}
