package zelkor.marvane;

import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * Packs parts onto inventory hosts with the native library and receives what the run reports.
 *
 * <p>A pack method runs on the calling thread until the packing is done. Its arguments are two shape arrays,
 * each row a {@code {name, polygon text}} pair or a bare polygon text (unnamed): the potential hosts (sheets
 * and off-cuts in stock) and the parts; then the saw blade width, and the standard sheet's length (along x)
 * and width (along y), used once the hosts are exhausted. The three methods differ in the order in which
 * hosts are taken: standard sheets only (when every host is a standard sheet, or there are none, all three
 * behave like this), smallest host first (least outfall), or largest host first (largest reusable outfall).
 * {@link #packOptimized} packs as any of them and can also search for a better layout.
 *
 * <p>Parts, hosts and the sheet grow by half the blade, rounded down, and grown parts may touch, so
 * neighbouring parts keep {@code 2 * (bladeWidth / 2)} apart: the blade width when it is even, one unit less
 * when it is odd (blade 1 keeps none, blade 3 keeps 2).
 *
 * <p>Rows that read as the empty polygon (null, empty or of another type) are left out, and a negative blade
 * width or sheet size counts as 0. A host without a name (a bare text, or a row whose name is empty) is named
 * by its polygon text, exactly as passed, so the groups it receives carry that text as their host id; the
 * empty host id always means a standard sheet.
 *
 * <p>While it works, the run calls {@link #setProgressPercentage} with a fraction between 0 and 0.99 whenever
 * it has moved on by at least 0.01. When it is done, it calls {@link #addResultGroup} once per host used, in
 * the order the hosts were taken, and returns {total area of the groups, total merged area, total host
 * area}; the areas include a margin of half the blade width around every part and host.
 *
 * <p>{@link #abortAllPacking} stops every run in progress in the process; an aborted run delivers no group
 * and returns three zeros. A run that fails (a part that fits no host, say) writes one line to
 * {@link ErrorLogHandler}, delivers no group and returns three zeros too.
 *
 * <p>The handler records the groups delivered and the last progress value. Subclasses may override the two
 * callbacks to follow a run as it happens; they are called on the packing thread, and an exception they
 * throw stops the run and reaches the caller of the pack method. Records accumulate over runs, so use one
 * handler per run; several runs may go on at once on different threads, each with its own handler.
 */
public class PackHandler {
    static {
        System.loadLibrary("ZelkorRectilinearGeometry");
    }

    /** The parts that one host receives. */
    public static final class ResultGroup {
        private final String hostId;
        private final String[][] parts;

        ResultGroup(String hostId, String[][] parts) {
            this.hostId = hostId;
            this.parts = parts;
        }

        /**
         * The name of the receiving host, or its polygon text as passed when it had no name; empty for a
         * standard sheet.
         */
        public String getHostId() {
            return hostId;
        }

        /** The parts as placed on the host, one {name, polygon text} row each (a copy). */
        public String[][] getParts() {
            String[][] copy = new String[parts.length][];
            for (int i = 0; i < parts.length; i++) {
                copy[i] = parts[i].clone();
            }
            return copy;
        }

        @Override
        public String toString() {
            return "host '" + hostId + "': " + parts.length + " part(s)";
        }
    }

    /** The {@code mode} of {@link #packOptimized} that packs as {@link #packToMaximumAreaOutfall}. */
    public static final int MAXIMUM_AREA_OUTFALL = 0;
    /** The {@code mode} of {@link #packOptimized} that packs as {@link #packToMinimumAreaOutfall}. */
    public static final int MINIMUM_AREA_OUTFALL = 1;
    /** The {@code mode} of {@link #packOptimized} that packs as {@link #packToFullSheets}. */
    public static final int FULL_SHEETS = 2;
    /**
     * An effort for {@link #packOptimized} to start with: the one the library's pack_job and a job's bare
     * {@code optimize} line take.
     */
    public static final int DEFAULT_OPTIMIZE_EFFORT = 5000;

    private final List<ResultGroup> resultGroups = new ArrayList<>();
    private volatile float progress;

    public PackHandler() {
    }

    /** Fills standard sheets. Returns {total area, total merged area, total host area}. */
    public native float[] packToFullSheets(Object[] potentialHosts, Object[] packingShapes, int bladeWidth,
            int standardSheetLength, int standardSheetWidth);

    /** Takes the smallest hosts first. Returns {total area, total merged area, total host area}. */
    public native float[] packToMinimumAreaOutfall(Object[] potentialHosts, Object[] packingShapes, int bladeWidth,
            int standardSheetLength, int standardSheetWidth);

    /** Takes the largest hosts first. Returns {total area, total merged area, total host area}. */
    public native float[] packToMaximumAreaOutfall(Object[] potentialHosts, Object[] packingShapes, int bladeWidth,
            int standardSheetLength, int standardSheetWidth);

    /**
     * Packs as the method of {@code mode} does and, with a positive {@code effort}, also searches for a layout
     * on fewer hosts (or, on as many, a better one by the mode's own measure), which it delivers in place of
     * the mode's layout when it is better. The result is never worse than that of the mode's method with the
     * same arguments, and with an effort of 0 (a negative effort counts as 0) it is exactly that result.
     *
     * <p>{@code effort} sets how hard the search tries, and so how long it takes: the run takes longer the
     * larger it is. {@link #DEFAULT_OPTIMIZE_EFFORT} is a reasonable start. {@code seed} seeds the search's
     * random choices, all 32 bits of it: the same arguments, effort and seed give the same result on every
     * machine and every number of cores, and another seed searches differently.
     *
     * <p>Progress, groups, totals, {@link #abortAllPacking}, failures and callback exceptions are as for the
     * other pack methods; an abort also stops the search, and the run then delivers no group and returns
     * three zeros.
     *
     * @param mode {@link #FULL_SHEETS}, {@link #MINIMUM_AREA_OUTFALL} or {@link #MAXIMUM_AREA_OUTFALL}
     * @return {total area, total merged area, total host area}
     * @throws IllegalArgumentException when {@code mode} is none of the three, before anything is packed
     */
    public native float[] packOptimized(Object[] potentialHosts, Object[] packingShapes, int bladeWidth,
            int standardSheetLength, int standardSheetWidth, int mode, int effort, int seed);

    /**
     * Asks every packing run in progress, of any handler on any thread, to stop at its next progress check.
     * Returns at once; runs started afterwards are not affected.
     */
    public native void abortAllPacking();

    /** Called by a running pack with its progress, a fraction between 0 and 0.99. */
    public void setProgressPercentage(float progress) {
        this.progress = progress;
    }

    /**
     * Called by a finished pack once per host used, in order, with the parts placed on it. {@code hostId} is
     * the host's name, its polygon text as passed when it had none, or empty for a standard sheet.
     */
    public void addResultGroup(String hostId, String[][] group) {
        synchronized (resultGroups) {
            resultGroups.add(new ResultGroup(hostId, group));
        }
    }

    /** The last progress value received; 0 before the first. */
    public float getProgress() {
        return progress;
    }

    /** The groups received so far, in arrival order. */
    public List<ResultGroup> getResultGroups() {
        synchronized (resultGroups) {
            return Collections.unmodifiableList(new ArrayList<>(resultGroups));
        }
    }
}
