package zelkor.marvane;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * A packing job read from plain text, one statement a line:
 *
 * <pre>
 * # comments and blank lines are ignored; '#' starts a comment anywhere
 * sheet 3000 1500                            standard sheet: length along x, width along y
 * blade 4                                    blade width (default 0)
 * mode full-sheets                           full-sheets (default) | minimum-outfall | maximum-outfall
 * host offcut-7 0,0 800,0 800,400 0,400      inventory host: name, then polygon text
 * units mm                                   mm, cm, m, in or ft (default: not stated)
 * optimize 500                               search for a better layout at this effort (bare: the default)
 * part side-left 0,0 600,0 600,300 0,300     part: name, then polygon text
 * part door 0,0 400,0 400,700 0,700 x2 rotate none   copies door-1, door-2; grain: none, half or quarter
 * </pre>
 *
 * Fields are separated by spaces or tabs; a name is one token and "-" stands for the empty name. The grain of a
 * part is kept with the job and written back, but the packing entries take no grain and may turn any part by
 * quarter turns; the library's pack_job honours it. Hosts need
 * distinct, non-empty names, since a packing result names the host of each group and the empty name is the
 * standard sheet's. Malformed lines are reported with their line number.
 */
public final class PackingJob {
    /** The packing modes and the native entry each one calls. */
    public enum Mode {
        FULL_SHEETS("full-sheets", PackHandler.FULL_SHEETS),
        MINIMUM_OUTFALL("minimum-outfall", PackHandler.MINIMUM_AREA_OUTFALL),
        MAXIMUM_OUTFALL("maximum-outfall", PackHandler.MAXIMUM_AREA_OUTFALL);

        public final String text;
        /** The mode's number for {@link PackHandler#packOptimized}. */
        public final int number;

        Mode(String text, int number) {
            this.text = text;
            this.number = number;
        }

        /** The mode written as {@code text}, or an exception naming the choices. */
        public static Mode parse(String text) {
            for (Mode mode : values()) {
                if (mode.text.equals(text)) {
                    return mode;
                }
            }
            throw new IllegalArgumentException(
                    "unknown mode '" + text + "' (full-sheets, minimum-outfall or maximum-outfall)");
        }

        /**
         * Runs the packing entry of this mode on the job's shapes, or {@link PackHandler#packOptimized} in this
         * mode when the job asks for the search.
         */
        public float[] pack(PackHandler handler, PackingJob job) {
            Object[] hosts = job.hosts.toArray(new Object[0]);
            Object[] parts = job.parts.toArray(new Object[0]);
            if (job.optimizeEffort > 0) {
                return handler.packOptimized(hosts, parts, job.bladeWidth, job.sheetLength, job.sheetWidth, number,
                        job.optimizeEffort, job.optimizeSeed);
            }
            switch (this) {
                case MINIMUM_OUTFALL:
                    return handler.packToMinimumAreaOutfall(hosts, parts, job.bladeWidth, job.sheetLength,
                            job.sheetWidth);
                case MAXIMUM_OUTFALL:
                    return handler.packToMaximumAreaOutfall(hosts, parts, job.bladeWidth, job.sheetLength,
                            job.sheetWidth);
                default:
                    return handler.packToFullSheets(hosts, parts, job.bladeWidth, job.sheetLength, job.sheetWidth);
            }
        }
    }

    /** Thrown for text that is not a job; the message starts with "line N: " where a line is to blame. */
    public static final class FormatException extends IOException {
        private static final long serialVersionUID = 1L;

        FormatException(int lineNumber, String reason) {
            super(lineNumber > 0 ? "line " + lineNumber + ": " + reason : reason);
        }
    }

    public int sheetLength;
    public int sheetWidth;
    public int bladeWidth;
    public Mode mode = Mode.FULL_SHEETS;
    /** The effort of the search for a better layout; 0 packs as the mode specifies. */
    public int optimizeEffort;
    /** The seed of that search; no job line sets it. */
    public int optimizeSeed = 1;
    /** Inventory hosts in stock order, as {name, polygon text} rows. */
    public final List<String[]> hosts = new ArrayList<>();
    /** Parts, as {name, polygon text} rows. */
    public final List<String[]> parts = new ArrayList<>();
    /** The turns each part may be given, aligned with {@link #parts}: "quarter", "half" or "none". */
    public final List<String> partTurns = new ArrayList<>();
    /** The units the job states, or "" when it states none. */
    public String units = "";

    private static final List<String> UNITS = List.of("mm", "cm", "m", "in", "ft");
    private static final List<String> TURNS = List.of("quarter", "half", "none");

    /** The number of parts marked to keep their grain, which the packing entries cannot honour. */
    public int partsWithGrain() {
        return (int) partTurns.stream().filter(turns -> !turns.equals("quarter")).count();
    }

    /** The standard sheet as a polygon text: its lower left corner at the origin. */
    public String sheetPolygon() {
        return "0,0 " + sheetLength + ",0 " + sheetLength + "," + sheetWidth + " 0," + sheetWidth;
    }

    /** The outline of the inventory host named {@code name}, or null when there is none. */
    public String hostPolygon(String name) {
        for (String[] host : hosts) {
            if (host[0].equals(name)) {
                return host[1];
            }
        }
        return null;
    }

    /**
     * The job in the job text form, which {@link #parse} reads back: a comment line, then the job packed in
     * {@code asMode}.
     */
    public String toText(String comment, Mode asMode) {
        StringBuilder text = new StringBuilder();
        text.append("# ").append(comment).append('\n');
        text.append("sheet ").append(sheetLength).append(' ').append(sheetWidth).append('\n');
        text.append("blade ").append(bladeWidth).append('\n');
        text.append("mode ").append(asMode.text).append('\n');
        if (!units.isEmpty()) {
            text.append("units ").append(units).append('\n');
        }
        if (optimizeEffort > 0) {
            text.append("optimize ").append(optimizeEffort).append('\n');
        }
        for (String[] host : hosts) {
            text.append("host ").append(host[0]).append(' ').append(host[1]).append('\n');
        }
        for (int i = 0; i < parts.size(); i++) {
            String[] part = parts.get(i);
            String turns = i < partTurns.size() ? partTurns.get(i) : "quarter";
            text.append("part ").append(part[0].isEmpty() ? "-" : part[0]).append(' ').append(part[1]);
            text.append(turns.equals("quarter") ? "" : " rotate " + turns).append('\n');
        }
        return text.toString();
    }

    public static PackingJob read(Path file) throws IOException {
        return parse(new String(Files.readAllBytes(file), StandardCharsets.UTF_8));
    }

    public static PackingJob parse(String text) throws FormatException {
        PackingJob job = new PackingJob();
        Map<String, Integer> givenOn = new HashMap<>();
        String[] lines = text.split("\n", -1);
        for (int i = 0; i < lines.length; i++) {
            int lineNumber = i + 1;
            String line = lines[i];
            int comment = line.indexOf('#');
            String[] tokens = (comment >= 0 ? line.substring(0, comment) : line).trim().split("[ \t\r]+");
            if (tokens.length == 0 || tokens[0].isEmpty()) {
                continue;
            }
            String keyword = tokens[0];
            switch (keyword) {
                case "sheet":
                    once(givenOn, keyword, lineNumber);
                    expectCount(tokens, 3, lineNumber);
                    job.sheetLength = number(tokens[1], "sheet length", lineNumber);
                    job.sheetWidth = number(tokens[2], "sheet width", lineNumber);
                    if (job.sheetLength <= 0 || job.sheetWidth <= 0) {
                        throw new FormatException(lineNumber, "sheet sides must be positive");
                    }
                    break;
                case "blade":
                    once(givenOn, keyword, lineNumber);
                    expectCount(tokens, 2, lineNumber);
                    job.bladeWidth = number(tokens[1], "blade width", lineNumber);
                    if (job.bladeWidth < 0) {
                        throw new FormatException(lineNumber, "blade width must not be negative");
                    }
                    break;
                case "mode":
                    once(givenOn, keyword, lineNumber);
                    expectCount(tokens, 2, lineNumber);
                    try {
                        job.mode = Mode.parse(tokens[1]);
                    } catch (IllegalArgumentException e) {
                        throw new FormatException(lineNumber, e.getMessage());
                    }
                    break;
                case "units":
                    once(givenOn, keyword, lineNumber);
                    expectCount(tokens, 2, lineNumber);
                    if (!UNITS.contains(tokens[1])) {
                        throw new FormatException(lineNumber, "unknown units '" + tokens[1] + "' (mm, cm, m, in or ft)");
                    }
                    job.units = tokens[1];
                    break;
                case "optimize":
                    once(givenOn, keyword, lineNumber);
                    if (tokens.length > 2) {
                        throw new FormatException(lineNumber, "unexpected '" + tokens[2] + "' after 'optimize'");
                    }
                    job.optimizeEffort = tokens.length == 2 ? number(tokens[1], "effort", lineNumber)
                            : PackHandler.DEFAULT_OPTIMIZE_EFFORT;
                    if (job.optimizeEffort < 0) {
                        throw new FormatException(lineNumber, "effort must not be negative");
                    }
                    break;
                case "host":
                case "part": {
                    if (tokens.length < 3) {
                        throw new FormatException(lineNumber, "'" + keyword + "' needs a name and a polygon");
                    }
                    String name = tokens[1].equals("-") ? "" : tokens[1];
                    int optionsStart = keyword.equals("part") ? optionsStart(tokens) : tokens.length;
                    String polygon = polygon(Arrays.copyOf(tokens, optionsStart), lineNumber);
                    if (keyword.equals("host")) {
                        if (name.isEmpty()) {
                            throw new FormatException(lineNumber, "a host needs a name");
                        }
                        once(givenOn, "host '" + name + "'", lineNumber);
                        job.hosts.add(new String[] {name, polygon});
                    } else {
                        addParts(job, name, polygon, Arrays.copyOfRange(tokens, optionsStart, tokens.length), lineNumber);
                    }
                    break;
                }
                default:
                    throw new FormatException(lineNumber, "unknown keyword '" + keyword + "'");
            }
        }
        if (!givenOn.containsKey("sheet")) {
            throw new FormatException(0, "the job has no sheet line");
        }
        return job;
    }

    /** Where a part's options ("xN", "rotate TURNS") start after its corners. */
    private static int optionsStart(String[] tokens) {
        int i = 2;
        while (i < tokens.length && !tokens[i].equals("rotate") && !(tokens[i].startsWith("x") && !tokens[i].contains(","))) {
            i++;
        }
        return i;
    }

    /** The part, or its copies NAME-1 .. NAME-N for "xN", with the turns of "rotate TURNS". */
    private static void addParts(PackingJob job, String name, String polygon, String[] options, int lineNumber)
            throws FormatException {
        int quantity = 0;
        String turns = "quarter";
        for (int i = 0; i < options.length; i++) {
            if (options[i].equals("rotate") && i + 1 < options.length && TURNS.contains(options[i + 1])) {
                turns = options[++i];
            } else if (options[i].startsWith("x") && quantity == 0) {
                quantity = number(options[i].substring(1), "quantity", lineNumber);
                if (quantity < 1 || quantity > 100000 || name.isEmpty()) {
                    throw new FormatException(lineNumber, "quantity '" + options[i] + "' is not 1 to 100000 of a named part");
                }
            } else {
                throw new FormatException(lineNumber, "unexpected '" + options[i] + "' after the part's polygon");
            }
        }
        for (int copy = 1; copy <= Math.max(quantity, 1); copy++) {
            job.parts.add(new String[] {quantity == 0 ? name : name + "-" + copy, polygon});
            job.partTurns.add(turns);
        }
    }

    private static void once(Map<String, Integer> givenOn, String what, int lineNumber) throws FormatException {
        Integer earlier = givenOn.putIfAbsent(what, lineNumber);
        if (earlier != null) {
            throw new FormatException(lineNumber, what + " already given on line " + earlier);
        }
    }

    private static void expectCount(String[] tokens, int count, int lineNumber) throws FormatException {
        if (tokens.length != count) {
            throw new FormatException(lineNumber, "'" + tokens[0] + "' takes " + (count - 1) + " value(s)");
        }
    }

    private static int number(String token, String what, int lineNumber) throws FormatException {
        try {
            return Integer.parseInt(token);
        } catch (NumberFormatException e) {
            throw new FormatException(lineNumber, what + " '" + token + "' is not a 32-bit integer");
        }
    }

    /** The corners from the third token on, checked and joined into a polygon text. */
    private static String polygon(String[] tokens, int lineNumber) throws FormatException {
        List<int[]> corners = new ArrayList<>();
        for (int i = 2; i < tokens.length; i++) {
            String[] xy = tokens[i].split(",", -1);
            if (xy.length != 2) {
                throw new FormatException(lineNumber, "corner '" + tokens[i] + "' is not of the form x,y");
            }
            corners.add(new int[] {number(xy[0], "coordinate", lineNumber), number(xy[1], "coordinate", lineNumber)});
        }
        for (int i = 0; i < corners.size(); i++) {
            int[] a = corners.get(i);
            int[] b = corners.get((i + 1) % corners.size());
            if (a[0] != b[0] && a[1] != b[1]) {
                throw new FormatException(lineNumber, "edge " + a[0] + "," + a[1] + " to " + b[0] + "," + b[1]
                        + " is neither horizontal nor vertical");
            }
        }
        String text = String.join(" ", Arrays.copyOfRange(tokens, 2, tokens.length));
        if (new HoledPolygon(text).getArea() <= 0) {
            throw new FormatException(lineNumber, "polygon encloses no area");
        }
        return text;
    }
}
