package zelkor.marvane;

import java.awt.Point;
import java.io.IOException;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;

/**
 * Child-JVM program that calls every native method of RectilinearMathInterface and PackHandler, found by
 * reflection. Modes (first argument):
 *
 * <ul>
 *   <li>{@code sweep}: awkward arguments. Every combination of shapeless values (null, empty arrays, rows that
 *       hold no shape, zero and negative sizes) must give an empty answer; typical arguments with one of them
 *       replaced by an awkward value (also odd rows around real shapes and arrays of many rows) must give an
 *       answer. Prints {@code CALL} before and {@code BAD} after a call that broke that rule, {@code TABLE} per
 *       method with the distinct answers to the shapeless calls, and {@code SWEPT} at the end.
 *   <li>{@code crash M I}: method M with typical arguments but parameter I malformed; must not return.
 *   <li>{@code leak N [M...]}: each method (or each M) N times with typical arguments; prints
 *       {@code LEAK M before after millis}, the resident set in kB after a warm-up and after the N calls.
 * </ul>
 */
public final class NativeBoundaryProbe {
    static final String SHEET = "0,0 100,0 100,60 0,60";
    static final String PART = "0,0 30,0 30,20 0,20";
    static final String ELL = "0,0 20,0 20,10 10,10 10,20 0,20";
    /** Reads as a polygon, as a holed polygon and as the segment 0,0 10,0. */
    static final String SQUARE = "0,0 10,0 10,10 0,10";
    /** Slanted whether it is read as a polygon, a holed polygon or a segment. */
    static final String MALFORMED = "0,0 10,5 10,10";

    /** Thrown by a segment's toString(); must reach the caller unchanged. */
    static final class CallbackFailure extends RuntimeException {
        CallbackFailure() {
            super("thrown by a callback");
        }
    }

    private static final RectilinearSegment NULL_TEXT_SEGMENT = new RectilinearSegment(0, 0, 0, 0) {
        @Override
        public String toString() {
            return null;
        }
    };
    private static final RectilinearSegment THROWING_SEGMENT = new RectilinearSegment(0, 0, 0, 0) {
        @Override
        public String toString() {
            throw new CallbackFailure();
        }
    };

    private NativeBoundaryProbe() {
    }

    /** The native methods of both classes, in a fixed order. */
    static List<Method> nativeMethods() {
        List<Method> methods = new ArrayList<>();
        for (Class<?> owner : List.of(RectilinearMathInterface.class, PackHandler.class)) {
            for (Method method : owner.getDeclaredMethods()) {
                if (Modifier.isNative(method.getModifiers())) {
                    methods.add(method);
                }
            }
        }
        methods.sort(Comparator.comparing(Method::getName));
        return methods;
    }

    static Method nativeMethod(String name) {
        return nativeMethods().stream().filter(m -> m.getName().equals(name)).findFirst().orElseThrow();
    }

    /** Indices of the parameters that carry shapes or segments as text. */
    static List<Integer> shapeParameters(Method method) {
        List<Integer> indices = new ArrayList<>();
        Class<?>[] types = method.getParameterTypes();
        for (int i = 0; i < types.length; i++) {
            if (!types[i].isPrimitive()) {
                indices.add(i);
            }
        }
        return indices;
    }

    private static Object[] rows(String... texts) {
        Object[] rows = new Object[texts.length];
        for (int i = 0; i < texts.length; i++) {
            rows[i] = new String[] {"n" + i, texts[i]};
        }
        return rows;
    }

    private static RectilinearSegment[] segments(RectilinearSegment... segments) {
        return segments;
    }

    /** Arguments a user would pass, with answers that are not empty. */
    static Object[] typicalArguments(Method method) {
        Object[] others = rows("70,0 100,0 100,30 70,30");
        switch (method.getName()) {
            case "splitSegmentsBySegments":
                return new Object[] {segments(new RectilinearSegment(0, 0, 10, 0), new RectilinearSegment(3, -5, 3, 5)),
                    segments(new RectilinearSegment(5, -1, 5, 3), new RectilinearSegment(0, 2, 10, 2))};
            case "getPolygonLabelPosition":
                return new Object[] {ELL};
            case "segmentIntersectsPolygon":
                return new Object[] {"5,-5 5,50", SQUARE + "|3,3 6,3 6,6 3,6"};
            case "setCanBeCutWith":
                return new Object[] {rows(PART, ELL), 4};
            case "getOutfallFrom":
            case "getCutLines":
                return new Object[] {SHEET, rows(PART, "40,10 60,10 60,30 40,30"), 4};
            case "getAllCutsThatCanBeAdded":
                return new Object[] {new String[] {"20,20 40,20 40,40 20,40"}, new String[] {SHEET}, SHEET,
                    new String[] {"19,19 19,41"}, 2};
            case "makeCutOnPolygonSet":
                return new Object[] {new String[] {"200,0 300,0 300,50 200,50", "0,0 100,0 100,50 0,50"},
                    "40,0 40,50", 4};
            case "removeCutFromPolygonSet":
                return new Object[] {new String[] {"0,0 38,0 38,50 0,50", "42,0 100,0 100,23 42,23",
                    "42,27 100,27 100,50 42,50"}, "40,0 40,50", new String[] {"40,25 100,25"},
                    "0,0 100,0 100,50 0,50", 4};
            case "filterHostsThatCanContain":
                return new Object[] {rows(PART, ELL), rows(SHEET, SQUARE), 4};
            case "getAllPossibleTranslationsForShapeWithinHost":
            case "getShapePositionedWithinHost":
                return new Object[] {PART, SHEET, others, 4};
            case "getShapeRotatedAndPositionedWithinHost":
                return new Object[] {true, PART, SHEET, others, 4};
            case "getBestPositionForSetInHost":
                return new Object[] {rows(PART, "30,0 50,0 50,10 30,10"), SHEET, 4};
            case "packToFullSheets":
            case "packToMinimumAreaOutfall":
            case "packToMaximumAreaOutfall":
                return new Object[] {rows(SHEET), rows(PART, SQUARE), 4, 200, 100};
            case "packOptimized":
                return new Object[] {rows(SHEET), rows(PART, SQUARE), 4, 200, 100, PackHandler.FULL_SHEETS, 1, 1};
            case "abortAllPacking":
                return new Object[0];
            default:
                throw new IllegalArgumentException("no typical arguments for " + method);
        }
    }

    /** One argument value with a label for the output. */
    private static final class Value {
        final String label;
        final Object value;

        Value(String label, Object value) {
            this.label = label;
            this.value = value;
        }
    }

    private static Object[] manyRows() {
        Object[] rows = new Object[40];
        for (int i = 0; i < rows.length; i++) {
            int x = 3 * i;
            rows[i] = new String[] {"r" + i, x + ",0 " + (x + 2) + ",0 " + (x + 2) + ",2 " + x + ",2"};
        }
        return rows;
    }

    private static String[] manyTexts() {
        Object[] rows = manyRows();
        String[] texts = new String[rows.length];
        for (int i = 0; i < rows.length; i++) {
            texts[i] = ((String[]) rows[i])[1];
        }
        return texts;
    }

    private static RectilinearSegment[] manySegments() {
        RectilinearSegment[] segments = new RectilinearSegment[40];
        for (int i = 0; i < segments.length; i++) {
            segments[i] = i % 2 == 0 ? new RectilinearSegment(0, i, 100, i) : new RectilinearSegment(i, -1, i, 50);
        }
        return segments;
    }

    /**
     * The values of a parameter that is no width or size, or null: packOptimized's mode takes only the three
     * mode numbers (any other throws, see {@link #sweep}) and its seed any number, neither read as 0 when
     * negative.
     */
    private static List<Value> numberValues(Method method, int parameter) {
        if (!method.getName().equals("packOptimized")) {
            return null;
        }
        if (parameter == 5) {
            return List.of(new Value("0", 0), new Value("1", 1), new Value("2", 2));
        }
        if (parameter == 7) {
            return List.of(new Value("seed 1", 1), new Value("seed -1", -1));
        }
        return null;
    }

    private static List<Value> shapelessValues(Method method, int parameter) {
        List<Value> numbers = numberValues(method, parameter);
        return numbers != null ? numbers : shapelessValues(method.getParameterTypes()[parameter]);
    }

    private static List<Value> awkwardValues(Method method, int parameter) {
        List<Value> numbers = numberValues(method, parameter);
        return numbers != null ? numbers : awkwardValues(method.getParameterTypes()[parameter]);
    }

    /** Values that hold no shape at all: every call made only of them must give an empty answer. */
    private static List<Value> shapelessValues(Class<?> type) {
        if (type == String.class) {
            return List.of(new Value("null", null), new Value("\"\"", ""));
        }
        if (type == Object[].class) {
            Object[] rowsWithoutShapes = {null, new String[0], new String[] {null}, new String[] {null, null},
                new String[] {"n", null, "x"}, 7};
            return List.of(new Value("null", null), new Value("{}", new Object[0]),
                    new Value("{null, {}, {null}, {null, null}, {\"n\", null, \"x\"}, 7}", rowsWithoutShapes));
        }
        if (type == String[].class) {
            return List.of(new Value("null", null), new Value("{}", new String[0]),
                    new Value("{null, \"\"}", new String[] {null, ""}));
        }
        if (type == RectilinearSegment[].class) {
            return List.of(new Value("null", null), new Value("{}", new RectilinearSegment[0]),
                    new Value("{null, toString null}", new RectilinearSegment[] {null, NULL_TEXT_SEGMENT}));
        }
        if (type == int.class) {
            return List.of(new Value("0", 0), new Value("-1", -1), new Value("-6", -6));
        }
        if (type == boolean.class) {
            return List.of(new Value("false", false), new Value("true", true));
        }
        throw new IllegalArgumentException("no values for " + type);
    }

    /** Awkward values put in place of one typical argument: the shapeless ones and some around real shapes. */
    private static List<Value> awkwardValues(Class<?> type) {
        List<Value> values = new ArrayList<>(shapelessValues(type));
        if (type == Object[].class) {
            values.add(new Value("{{SQUARE}, {\"n\", SQUARE, \"x\"}, (Object[]) {\"n\", SQUARE}, null, 7}",
                    new Object[] {new String[] {SQUARE}, new String[] {"n", SQUARE, "x"}, new Object[] {"n", SQUARE},
                        null, 7}));
            values.add(new Value("40 rows", manyRows()));
        } else if (type == String[].class) {
            values.add(new Value("40 texts", manyTexts()));
        } else if (type == RectilinearSegment[].class) {
            values.add(new Value("40 segments", manySegments()));
        } else if (type == int.class) {
            values.add(new Value("-1000", -1000));
        }
        return values;
    }

    /** The value of parameter `type` that must end in the crash report. */
    static Object malformedValue(Class<?> type) {
        if (type == String.class) {
            return MALFORMED;
        }
        if (type == Object[].class) {
            return new Object[] {new String[] {"n", MALFORMED}};
        }
        if (type == String[].class) {
            return new String[] {MALFORMED};
        }
        if (type == RectilinearSegment[].class) {
            return new RectilinearSegment[] {new RectilinearSegment(0, 0, 5, 5)};
        }
        throw new IllegalArgumentException("nothing malformed of " + type);
    }

    /** Calls the method (on a new PackHandler when it is an instance method) and returns its answer. */
    static Object call(Method method, Object[] arguments) throws Throwable {
        Object target = Modifier.isStatic(method.getModifiers()) ? null : new PackHandler();
        try {
            return method.invoke(target, arguments);
        } catch (InvocationTargetException e) {
            throw e.getCause();
        }
    }

    static String describe(Object answer) {
        if (answer == null) {
            return "null";
        }
        if (answer instanceof String) {
            return "\"" + answer + "\"";
        }
        if (answer instanceof Point) {
            Point point = (Point) answer;
            return "Point(" + point.x + "," + point.y + ")";
        }
        if (answer instanceof float[]) {
            return Arrays.toString((float[]) answer);
        }
        if (answer instanceof boolean[]) {
            return Arrays.toString((boolean[]) answer);
        }
        if (answer instanceof String[][]) {
            return Arrays.deepToString((Object[]) answer);
        }
        if (answer instanceof Object[]) {
            Object[] array = (Object[]) answer;
            return answer.getClass().getComponentType().getSimpleName()
                    + (array.length == 0 ? "[0]" : Arrays.deepToString(array));
        }
        if (answer instanceof PolygonSetCutResult) {
            PolygonSetCutResult result = (PolygonSetCutResult) answer;
            return "cut(" + Arrays.toString(result.getIndices()) + ", "
                    + Arrays.toString(result.getHoledPolygonTexts()) + ")";
        }
        return String.valueOf(answer);
    }

    /** Why the answer is malformed in itself, or null when it is fine. */
    private static String malformation(Method method, Object answer) {
        if (method.getReturnType() == void.class) {
            return null;
        }
        if (answer == null) {
            return "null answer";
        }
        if (answer instanceof float[]) {
            float[] totals = (float[]) answer;
            if (totals.length != 3) {
                return "not three totals";
            }
            for (float total : totals) {
                if (!(total >= 0) || Float.isInfinite(total)) {
                    return "total " + total;
                }
            }
        }
        if (answer instanceof Object[]) {
            for (Object element : (Object[]) answer) {
                if (element == null || (element instanceof String[] && (((String[]) element).length != 2
                        || ((String[]) element)[0] == null || ((String[]) element)[1] == null))) {
                    return "malformed element";
                }
            }
        }
        return null;
    }

    /** An answer that says "nothing": no element, empty texts, false, zero totals, the origin. */
    private static boolean isEmptyAnswer(Object answer) {
        if (answer == null) {
            return false;
        }
        if (answer instanceof Boolean) {
            return true;
        }
        if (answer instanceof String) {
            return ((String) answer).isEmpty();
        }
        if (answer instanceof Point) {
            return answer.equals(new Point(0, 0));
        }
        if (answer instanceof float[]) {
            for (float total : (float[]) answer) {
                if (total != 0) {
                    return false;
                }
            }
            return true;
        }
        if (answer instanceof boolean[]) {
            for (boolean value : (boolean[]) answer) {
                if (value) {
                    return false;
                }
            }
            return true;
        }
        if (answer instanceof String[][]) {
            for (String[] row : (String[][]) answer) {
                if (!row[1].isEmpty()) {
                    return false;
                }
            }
            return true;
        }
        if (answer instanceof Object[]) {
            return ((Object[]) answer).length == 0;
        }
        if (answer instanceof PolygonSetCutResult) {
            PolygonSetCutResult result = (PolygonSetCutResult) answer;
            return result.getIndices().length == 0 && result.getHoledPolygonTexts().length == 0;
        }
        return false;
    }

    private static int calls;

    /** Makes one call of the sweep; prints CALL first, so that a call that never returns is named. */
    private static Object sweepCall(Method method, Value[] values, boolean mustBeEmpty) {
        Object[] arguments = new Object[values.length];
        StringBuilder text = new StringBuilder(method.getName()).append('(');
        for (int i = 0; i < values.length; i++) {
            arguments[i] = values[i].value;
            text.append(i == 0 ? "" : ", ").append(values[i].label);
        }
        text.append(')');
        System.out.println("CALL " + text);
        System.out.flush();
        calls++;
        try {
            Object answer = call(method, arguments);
            String malformation = malformation(method, answer);
            if (malformation == null && mustBeEmpty && method.getReturnType() != void.class
                    && !isEmptyAnswer(answer)) {
                malformation = "not an empty answer";
            }
            if (malformation != null) {
                System.out.println("BAD " + text + ": " + malformation + ": " + describe(answer));
            }
            return answer;
        } catch (Throwable e) {
            System.out.println("BAD " + text + ": threw " + e);
            return null;
        }
    }

    private static void sweep() {
        for (Method method : nativeMethods()) {
            Class<?>[] types = method.getParameterTypes();
            Set<String> answers = new LinkedHashSet<>();
            // Every combination of shapeless values.
            List<Value[]> combinations = new ArrayList<>();
            combinations.add(new Value[0]);
            for (int i = 0; i < types.length; i++) {
                List<Value[]> longer = new ArrayList<>();
                for (Value[] start : combinations) {
                    for (Value value : shapelessValues(method, i)) {
                        Value[] next = Arrays.copyOf(start, start.length + 1);
                        next[start.length] = value;
                        longer.add(next);
                    }
                }
                combinations = longer;
            }
            for (Value[] combination : combinations) {
                answers.add(describe(sweepCall(method, combination, true)));
            }
            System.out.println("TABLE " + method.getName() + ": " + String.join(" | ", answers));
            // Typical arguments with one of them awkward. A negative width or size
            // must answer as 0 does.
            Object[] typical = typicalArguments(method);
            for (int i = 0; i < types.length; i++) {
                String answerToZero = null;
                boolean readsNegativeAsZero = numberValues(method, i) == null;
                for (Value awkward : awkwardValues(method, i)) {
                    Value[] values = new Value[types.length];
                    for (int j = 0; j < types.length; j++) {
                        values[j] = j == i ? awkward : new Value("typical", typical[j]);
                    }
                    String answer = describe(sweepCall(method, values, false));
                    System.out.println("GAVE " + answer);
                    if (Integer.valueOf(0).equals(awkward.value)) {
                        answerToZero = answer;
                    } else if (readsNegativeAsZero && awkward.value instanceof Integer
                            && !answer.equals(answerToZero)) {
                        System.out.println("BAD " + method.getName() + " answers " + awkward.label + " as "
                                + answer + " but 0 as " + answerToZero);
                    }
                }
            }
        }
        // A segment whose toString() throws: the caller gets that exception and nothing else.
        Method split = nativeMethod("splitSegmentsBySegments");
        try {
            call(split, new Object[] {new RectilinearSegment[] {THROWING_SEGMENT}, null});
            System.out.println("BAD a throwing toString() was not passed on");
        } catch (CallbackFailure expected) {
            System.out.println("TABLE " + split.getName() + " with a throwing toString(): that exception");
        } catch (Throwable e) {
            System.out.println("BAD a throwing toString() gave " + e);
        }
        // A mode that is none of the three: IllegalArgumentException, whatever else is given.
        Method optimized = nativeMethod("packOptimized");
        for (int mode : new int[] {-1, 3}) {
            Object[] arguments = typicalArguments(optimized);
            arguments[5] = mode;
            try {
                System.out.println("BAD packOptimized accepted mode " + mode + ": " + describe(call(optimized, arguments)));
            } catch (IllegalArgumentException expected) {
                System.out.println("TABLE packOptimized with mode " + mode + ": " + expected);
            } catch (Throwable e) {
                System.out.println("BAD packOptimized with mode " + mode + " threw " + e);
            }
        }
        System.out.println("SWEPT " + calls + " calls");
    }

    private static void crash(String methodName, int parameter) throws Throwable {
        Method method = nativeMethod(methodName);
        Object[] arguments = typicalArguments(method);
        arguments[parameter] = malformedValue(method.getParameterTypes()[parameter]);
        call(method, arguments);
        System.out.println("RETURNED normally");
    }

    static long residentKilobytes() throws IOException {
        for (String line : Files.readAllLines(Paths.get("/proc/self/status"))) {
            if (line.startsWith("VmRSS:")) {
                return Long.parseLong(line.replaceAll("[^0-9]", ""));
            }
        }
        throw new IllegalStateException("no VmRSS in /proc/self/status");
    }

    private static long settledResidentKilobytes() throws Exception {
        System.gc();
        System.gc();
        Thread.sleep(100);
        return residentKilobytes();
    }

    private static void leak(int count, List<String> only) throws Throwable {
        for (Method method : nativeMethods()) {
            if (!only.isEmpty() && !only.contains(method.getName())) {
                continue;
            }
            Object[] arguments = typicalArguments(method);
            int warmUp = Math.max(1000, count / 10);
            for (int i = 0; i < warmUp; i++) {
                call(method, arguments);
            }
            long before = settledResidentKilobytes();
            long start = System.nanoTime();
            for (int i = 0; i < count; i++) {
                call(method, arguments);
            }
            long millis = (System.nanoTime() - start) / 1_000_000;
            long after = settledResidentKilobytes();
            System.out.println("LEAK " + method.getName() + " " + before + " " + after + " " + millis);
            System.out.flush();
        }
    }

    public static void main(String[] args) throws Throwable {
        switch (args[0]) {
            case "sweep":
                sweep();
                break;
            case "crash":
                crash(args[1], Integer.parseInt(args[2]));
                break;
            case "leak":
                leak(Integer.parseInt(args[1]), Arrays.asList(args).subList(2, args.length));
                break;
            default:
                throw new IllegalArgumentException(args[0]);
        }
    }
}
