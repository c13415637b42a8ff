package zelkor.marvane;

import java.util.ArrayList;
import java.util.List;

/** Maps geometry (y up) to SVG picture coordinates (y down), and writes the shapes the drawings share. */
final class SvgFrame {
    private final int top;

    SvgFrame(int top) {
        this.top = top;
    }

    int y(int geometryY) {
        return top - geometryY;
    }

    /** Path data of one closed ring of corners; empty for no corners. */
    String ringPath(List<int[]> corners) {
        StringBuilder d = new StringBuilder();
        for (int i = 0; i < corners.size(); i++) {
            int[] c = corners.get(i);
            d.append(i == 0 ? "M" : " L").append(c[0]).append(',').append(y(c[1]));
        }
        return corners.isEmpty() ? "" : d.append(" Z ").toString();
    }

    /** A line element for a segment, dashed when dashes is not null. */
    String line(String cssClass, RectilinearSegment s, String colour, int strokeWidth, String dashes) {
        List<String> attributes = new ArrayList<>();
        attributes.add("class=\"" + cssClass + "\"");
        attributes.add("x1=\"" + s.getX1() + "\" y1=\"" + y(s.getY1()) + "\" x2=\"" + s.getX2() + "\" y2=\""
                + y(s.getY2()) + "\"");
        attributes.add("stroke=\"" + colour + "\" stroke-width=\"" + strokeWidth + "\" stroke-linecap=\"square\"");
        if (dashes != null) {
            attributes.add("stroke-dasharray=\"" + dashes + "\"");
        }
        attributes.add("data-segment=\"" + escape(s.toString()) + "\"");
        return "<line " + String.join(" ", attributes) + "/>";
    }

    /** Text made safe for XML content and attribute values. */
    static String escape(String text) {
        return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace("\"", "&quot;");
    }
}
