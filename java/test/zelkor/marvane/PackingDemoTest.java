package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import javax.xml.parsers.DocumentBuilderFactory;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;
import org.w3c.dom.Document;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

class PackingDemoTest {
    @TempDir
    Path directory;

    private static Document parse(Path file) throws Exception {
        DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
        factory.setNamespaceAware(true);
        return factory.newDocumentBuilder().parse(file.toFile());
    }

    private static List<Element> elements(Document document, String tag, String attribute) {
        List<Element> found = new ArrayList<>();
        NodeList nodes = document.getElementsByTagNameNS("*", tag);
        for (int i = 0; i < nodes.getLength(); i++) {
            Element element = (Element) nodes.item(i);
            if (element.hasAttribute(attribute)) {
                found.add(element);
            }
        }
        return found;
    }

    /** Draws the job and results the demo wrote with pack_job, as scripts/run-demo does; answers the pictures. */
    private List<Path> drawWithPackJob() throws Exception {
        String packJob = System.getProperty("zelkor.pack_job");
        assumeTrue(packJob != null, "pack_job is not built (ZELKOR_TOOLS is off)");
        Process drawing = new ProcessBuilder(packJob, "--svg", directory.toString(), "--results",
                directory.resolve(PackingDemo.RESULTS_FILE).toString(),
                directory.resolve(PackingDemo.JOB_FILE).toString()).redirectErrorStream(true).start();
        String messages = new String(drawing.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        assertEquals(0, drawing.waitFor(), messages);
        List<Path> pictures = new ArrayList<>();
        try (DirectoryStream<Path> found = Files.newDirectoryStream(directory, "host-*.svg")) {
            found.forEach(pictures::add);
        }
        return pictures;
    }

    /**
     * Quantities are spelled out as the library's job reader spells them; grain, units and the optimizing
     * effort are written back.
     */
    @org.junit.jupiter.api.Test
    void quantitiesGrainUnitsAndEffortSurviveTheJobText() throws Exception {
        PackingJob job = PackingJob.parse("sheet 100 50\nunits mm\noptimize 30\n"
                + "part door 0,0 10,0 10,20 0,20 x2 rotate half\npart plain 0,0 5,0 5,5 0,5\n");
        assertEquals(List.of("door-1", "door-2", "plain"), job.parts.stream().map(row -> row[0]).toList());
        assertEquals(2, job.partsWithGrain());
        String text = job.toText("again", job.mode);
        assertTrue(text.contains("units mm\noptimize 30\n")
                && text.contains("part door-2 0,0 10,0 10,20 0,20 rotate half\n"), text);
        assertEquals(PackHandler.DEFAULT_OPTIMIZE_EFFORT, PackingJob.parse("sheet 1 1\noptimize\n").optimizeEffort);
        assertEquals(0, PackingJob.parse("sheet 1 1\n").optimizeEffort);
        assertEquals(text, PackingJob.parse(text).toText("again", job.mode));
    }

    /** A bare "optimize" line means the same effort to this reader as to pack_job, which states it in --help. */
    @org.junit.jupiter.api.Test
    void theDefaultEffortIsTheLibrarys() throws Exception {
        String packJob = System.getProperty("zelkor.pack_job");
        assumeTrue(packJob != null, "pack_job is not built (ZELKOR_TOOLS is off)");
        Process help = new ProcessBuilder(packJob, "--help").redirectErrorStream(true).start();
        String text = new String(help.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        assertEquals(0, help.waitFor(), text);
        assertTrue(text.contains("EFFORT (default " + PackHandler.DEFAULT_OPTIMIZE_EFFORT + ","), text);
    }

    @ParameterizedTest
    @ValueSource(strings = {"full-sheets", "minimum-outfall", "maximum-outfall"})
    void smallJobDrawsEveryPartOnceAndReportsTheLibraryTotals(String mode) throws Exception {
        Path job = Paths.get(System.getProperty("zelkor.jobs.dir"), "small-order.job");
        ByteArrayOutputStream printed = new ByteArrayOutputStream();
        PackingDemo.Run run = PackingDemo.run(new String[] {"--mode", mode, "--out", directory.toString(),
            job.toString()}, new PrintStream(printed, true, StandardCharsets.UTF_8));
        assertEquals(PackingJob.Mode.parse(mode), PackingJob.read(directory.resolve(PackingDemo.JOB_FILE)).mode);
        List<Path> pictures = drawWithPackJob();

        // Each part of the job is drawn on exactly one host, in its own shape.
        Map<String, Long> ordered = new HashMap<>();
        for (String[] part : run.job.parts) {
            ordered.put(part[0], new HoledPolygon(part[1]).getArea());
        }
        List<String> drawn = new ArrayList<>();
        assertEquals(run.groups.size(), pictures.size());
        assertTrue(pictures.size() > 0);
        for (Path picture : pictures) {
            for (Element part : elements(parse(picture), "path", "data-name")) {
                if (!part.getAttribute("class").equals("host")) {
                    String name = part.getAttribute("data-name");
                    drawn.add(name);
                    assertEquals(ordered.get(name), new HoledPolygon(part.getAttribute("data-polygon")).getArea(),
                            name);
                }
            }
        }
        List<String> names = new ArrayList<>(ordered.keySet());
        Collections.sort(names);
        Collections.sort(drawn);
        assertEquals(names, drawn);

        // The page and the printed summary show the three totals exactly as the library returned them, the
        // page after their way through result.txt.
        Map<String, Float> shown = new HashMap<>();
        for (Element cell : elements(parse(directory.resolve("index.html")), "td", "data-total")) {
            shown.put(cell.getAttribute("data-total"), Float.parseFloat(cell.getAttribute("data-value")));
        }
        assertEquals(Map.of("part-area", run.totals[0], "merged-area", run.totals[1], "host-area", run.totals[2]),
                shown);
        assertTrue(run.totals[0] > 0 && run.totals[0] <= run.totals[2], java.util.Arrays.toString(run.totals));
        assertTrue(printed.toString(StandardCharsets.UTF_8).contains("part area " + run.totals[0] + ", merged area "
                + run.totals[1] + ", host area " + run.totals[2]));
    }
}
