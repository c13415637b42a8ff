package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
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

    @ParameterizedTest
    @ValueSource(strings = {"full-sheets", "minimum-outfall", "maximum-outfall"})
    void smallJobDrawsEveryPartOnceAndReportsTheLibraryTotals(String mode) throws Exception {
        Path job = Paths.get(System.getProperty("zelkor.jobs.dir"), "small-order.job");
        ByteArrayOutputStream printed = new ByteArrayOutputStream();
        PackingDemo.Run run = PackingDemo.run(new String[] {"--mode", mode, "--out", directory.toString(),
            job.toString()}, new PrintStream(printed, true, StandardCharsets.UTF_8));

        // Each part of the job is drawn on exactly one host, in its own shape.
        Map<String, Long> ordered = new HashMap<>();
        for (String[] part : run.job.parts) {
            ordered.put(part[0], new HoledPolygon(part[1]).getArea());
        }
        List<String> drawn = new ArrayList<>();
        assertEquals(run.groups.size(), run.pictures.size());
        assertTrue(run.pictures.size() > 0);
        for (Path picture : run.pictures) {
            for (Element part : elements(parse(picture), "path", "data-name")) {
                if (part.getAttribute("class").equals("part")) {
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

        // The page and the printed summary show the three totals exactly as the library returned them.
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
