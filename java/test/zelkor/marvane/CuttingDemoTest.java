package zelkor.marvane;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Set;
import javax.xml.parsers.DocumentBuilderFactory;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.w3c.dom.Document;
import org.w3c.dom.Element;
import org.w3c.dom.NodeList;

class CuttingDemoTest {
    @TempDir
    Path directory;

    private static List<Element> elementsOfClass(Document document, String tag, String cssClass) {
        List<Element> found = new ArrayList<>();
        NodeList nodes = document.getElementsByTagNameNS("http://www.w3.org/2000/svg", tag);
        for (int i = 0; i < nodes.getLength(); i++) {
            Element element = (Element) nodes.item(i);
            if (cssClass.equals(element.getAttribute("class"))) {
                found.add(element);
            }
        }
        return found;
    }

    private static String[] texts(Object[] values) {
        String[] texts = new String[values.length];
        for (int i = 0; i < values.length; i++) {
            texts[i] = values[i].toString();
        }
        return texts;
    }

    private static String[] attributes(List<Element> elements, String name) {
        String[] values = new String[elements.size()];
        for (int i = 0; i < values.length; i++) {
            values[i] = elements.get(i).getAttribute(name);
        }
        return values;
    }

    @Test
    void pictureIsWellFormedAndShowsWhatTheLibraryAnswered() throws Exception {
        Path output = directory.resolve("nested").resolve("cutting.svg");
        Demo.main(new String[] {output.toString()});
        assertTrue(Files.isRegularFile(output));

        DocumentBuilderFactory factory = DocumentBuilderFactory.newInstance();
        factory.setNamespaceAware(true);
        Document document = factory.newDocumentBuilder().parse(output.toFile());
        assertEquals("svg", document.getDocumentElement().getLocalName());

        Demo.CuttingJob job = Demo.runCuttingJob();
        assertTrue(java.util.Arrays.asList(job.cutLines).contains(Demo.FIRST_CUT));
        assertTrue(job.admissibleCuts.length > 0);
        assertTrue(job.outfall.length > 0);

        List<Element> cutLines = elementsOfClass(document, "line", "cut-line");
        assertArrayEquals(texts(RectilinearMathInterface.getCutLines(Demo.SHEET, Demo.PARTS, Demo.BLADE_WIDTH)),
                attributes(cutLines, "data-segment"));
        assertArrayEquals(texts(job.admissibleCuts),
                attributes(elementsOfClass(document, "line", "admissible-cut"), "data-segment"));

        List<Element> outfall = elementsOfClass(document, "path", "outfall");
        assertArrayEquals(texts(RectilinearMathInterface.getOutfallFrom(Demo.SHEET, Demo.PARTS, Demo.BLADE_WIDTH)),
                attributes(outfall, "data-holed-polygon"));
        for (int i = 0; i < outfall.size(); i++) {
            String d = outfall.get(i).getAttribute("d");
            assertEquals(job.outfall[i].getRings().size(), d.split("M", -1).length - 1, d);
        }
        assertEquals(Demo.PARTS.length, elementsOfClass(document, "path", "part").size());
        assertEquals(1, elementsOfClass(document, "path", "sheet").size());

        // y grows upward in the geometry and downward in the picture: every
        // drawn line end is mirrored about the same axis.
        Set<Integer> mirrorAxes = new HashSet<>();
        for (int i = 0; i < cutLines.size(); i++) {
            Element line = cutLines.get(i);
            RectilinearSegment segment = job.cutLines[i];
            assertEquals(segment.getX1(), Integer.parseInt(line.getAttribute("x1")));
            assertEquals(segment.getX2(), Integer.parseInt(line.getAttribute("x2")));
            mirrorAxes.add(Integer.parseInt(line.getAttribute("y1")) + segment.getY1());
            mirrorAxes.add(Integer.parseInt(line.getAttribute("y2")) + segment.getY2());
        }
        assertEquals(1, mirrorAxes.size(), mirrorAxes.toString());
    }
}
