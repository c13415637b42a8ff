package zelkor.marvane;

import java.awt.Point;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;
import java.util.Locale;

/**
 * Drawings of a packing run: one SVG picture per host used and an XHTML page that shows them with the
 * summary. Geometry has y growing upward, the pictures downward, so y is mirrored. All lengths in a picture
 * are in job units; every host is drawn at the same scale, so off-cuts look as small as they are.
 */
final class PackingPictures {
    /** Picture pixels per job unit. */
    private static final double SCALE = 0.4;
    private static final int MARGIN = 60;
    private static final int CAPTION = 110;
    private static final int LEGEND = 90;
    private static final int LABEL_SIZE = 48;
    private static final int SMALLEST_LABEL = 12;

    private PackingPictures() {
    }

    /** The picture of group {@code index}: host, leftover, parts with their names, cut lines. */
    static String hostSvg(PackingDemo.Run run, int index) {
        PackingDemo.Group group = run.groups.get(index);
        int blade = run.job.bladeWidth;
        List<int[]> host = HoledPolygon.parseCorners(group.hostOutline);
        // Parts count in the extent too, so that one placed outside its host still shows.
        List<int[]> everything = new ArrayList<>(host);
        for (String[] part : group.parts) {
            everything.addAll(HoledPolygon.parseCorners(part[1]));
        }
        int[] box = bounds(everything);
        SvgFrame frame = new SvgFrame(box[3] + MARGIN + CAPTION);
        int left = box[0] - MARGIN;
        int width = box[2] - box[0] + 2 * MARGIN;
        int height = box[3] - box[1] + 2 * MARGIN + CAPTION + LEGEND;

        StringBuilder svg = new StringBuilder();
        svg.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        svg.append(String.format(Locale.ROOT,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"%d 0 %d %d\">\n",
                Math.round(width * SCALE), Math.round(height * SCALE), left, width, height));
        String caption = String.format(Locale.ROOT, "%d. %s: %d part%s, %s used", index + 1, group.hostLabel(),
                group.parts.length, group.parts.length == 1 ? "" : "s", PackingDemo.percent(group.utilization()));
        svg.append("  <title>").append(SvgFrame.escape(caption)).append("</title>\n");
        svg.append("  <defs>\n"
                + "    <pattern id=\"leftover-hatch\" patternUnits=\"userSpaceOnUse\" width=\"36\" height=\"36\""
                + " patternTransform=\"rotate(45)\">\n"
                + "      <rect width=\"36\" height=\"36\" fill=\"#dcedc8\"/>\n"
                + "      <rect width=\"9\" height=\"36\" fill=\"#9ccc65\"/>\n"
                + "    </pattern>\n"
                + "  </defs>\n");
        svg.append(String.format(Locale.ROOT, "  <rect x=\"%d\" y=\"0\" width=\"%d\" height=\"%d\" fill=\"white\"/>\n",
                left, width, height));
        svg.append(String.format(Locale.ROOT,
                "  <text x=\"%d\" y=\"%d\" font-family=\"sans-serif\" font-size=\"56\" fill=\"#263238\">%s</text>\n",
                box[0], MARGIN + 40, SvgFrame.escape(caption)));

        svg.append("  <path class=\"host\" d=\"").append(frame.ringPath(host))
                .append("\" fill=\"#f3e2c0\" stroke=\"#7a5b2e\" stroke-width=\"6\" data-name=\"")
                .append(SvgFrame.escape(group.hostId)).append("\" data-polygon=\"").append(SvgFrame.escape(group.hostOutline))
                .append("\"/>\n");

        svg.append("  <g id=\"leftover\">\n");
        for (HoledPolygon piece : RectilinearMathInterface.getOutfallFrom(group.hostOutline, group.parts, blade)) {
            StringBuilder d = new StringBuilder();
            for (List<int[]> ring : piece.getRings()) {
                d.append(frame.ringPath(ring));
            }
            svg.append("    <path class=\"leftover\" d=\"").append(d.toString().trim())
                    .append("\" fill=\"url(#leftover-hatch)\" fill-rule=\"evenodd\" stroke=\"#558b2f\""
                            + " stroke-width=\"2\" data-holed-polygon=\"")
                    .append(SvgFrame.escape(piece.toString())).append("\"/>\n");
        }
        svg.append("  </g>\n");

        svg.append("  <g id=\"parts\">\n");
        for (String[] part : group.parts) {
            svg.append("    <path class=\"part\" d=\"").append(frame.ringPath(HoledPolygon.parseCorners(part[1])))
                    .append("\" fill=\"#bbdefb\" stroke=\"#1e3a5f\" stroke-width=\"3\" data-name=\"")
                    .append(SvgFrame.escape(part[0])).append("\" data-polygon=\"").append(SvgFrame.escape(part[1]))
                    .append("\"/>\n");
        }
        svg.append("  </g>\n");

        svg.append("  <g id=\"cut-lines\">\n");
        for (RectilinearSegment line : RectilinearMathInterface.getCutLines(group.hostOutline, group.parts, blade)) {
            svg.append(String.format(Locale.ROOT,
                    "    <line class=\"cut-line\" x1=\"%d\" y1=\"%d\" x2=\"%d\" y2=\"%d\" stroke=\"#d32f2f\""
                            + " stroke-width=\"%d\" stroke-linecap=\"square\" data-segment=\"%s\"/>\n",
                    line.getX1(), frame.y(line.getY1()), line.getX2(), frame.y(line.getY2()), Math.max(blade, 4),
                    SvgFrame.escape(line.toString())));
        }
        svg.append("  </g>\n");

        svg.append("  <g id=\"labels\" font-family=\"sans-serif\" fill=\"#0d2a4a\" text-anchor=\"middle\""
                + " dominant-baseline=\"central\">\n");
        for (String[] part : group.parts) {
            svg.append("    ").append(label(frame, part)).append('\n');
        }
        svg.append("  </g>\n");

        svg.append(String.format(Locale.ROOT, "  <text x=\"%d\" y=\"%d\" font-family=\"sans-serif\" font-size=\"44\">",
                box[0], height - 30))
                .append("<tspan fill=\"#1e3a5f\">\u25a0 parts</tspan>")
                .append("<tspan fill=\"#7cb342\" dx=\"40\">\u25a0 leftover</tspan>")
                .append("<tspan fill=\"#d32f2f\" dx=\"40\">\u2014 cut lines</tspan>")
                .append("<tspan fill=\"#7a5b2e\" dx=\"40\">\u25a1 host</tspan></text>\n");
        svg.append("</svg>\n");
        return svg.toString();
    }

    /**
     * The part's name at the library's label position, as large as fits the part there, turned upright when a
     * narrow, tall part has more room that way.
     */
    private static String label(SvgFrame frame, String[] part) {
        List<int[]> corners = HoledPolygon.parseCorners(part[1]);
        Point at = RectilinearMathInterface.getPolygonLabelPosition(part[1]);
        int across = chord(corners, at, true);
        int upward = chord(corners, at, false);
        int characters = Math.max(part[0].length(), 1);
        // A sans-serif character is about 0.6 of the font size wide.
        double flat = Math.min(LABEL_SIZE, Math.min((across - 16) / (0.6 * characters), 0.8 * upward));
        double upright = Math.min(LABEL_SIZE, Math.min((upward - 16) / (0.6 * characters), 0.8 * across));
        boolean turn = upright > flat && flat < LABEL_SIZE;
        int size = (int) Math.max(SMALLEST_LABEL, Math.floor(turn ? upright : flat));
        int x = at.x;
        int y = frame.y(at.y);
        return String.format(Locale.ROOT, "<text class=\"label\" x=\"%d\" y=\"%d\" font-size=\"%d\"%s>%s</text>", x, y,
                size, turn ? String.format(Locale.ROOT, " transform=\"rotate(-90 %d %d)\"", x, y) : "",
                SvgFrame.escape(part[0]));
    }

    /**
     * Length of the stretch of the polygon's interior through {@code at}, across (along x) or upward (along y).
     * The line is taken half a unit off the lattice, so that it never runs along an edge or through a corner.
     */
    private static int chord(List<int[]> corners, Point at, boolean across) {
        int along = across ? 0 : 1;
        int other = 1 - along;
        double line = (across ? at.y : at.x) + 0.5;
        double position = across ? at.x : at.y;
        List<Integer> crossings = new ArrayList<>();
        for (int i = 0; i < corners.size(); i++) {
            int[] a = corners.get(i);
            int[] b = corners.get((i + 1) % corners.size());
            if (a[along] == b[along] && Math.min(a[other], b[other]) < line && line < Math.max(a[other], b[other])) {
                crossings.add(a[along]);
            }
        }
        Collections.sort(crossings);
        for (int i = 0; i + 1 < crossings.size(); i += 2) {
            if (crossings.get(i) <= position && position <= crossings.get(i + 1)) {
                return crossings.get(i + 1) - crossings.get(i);
            }
        }
        int[] box = bounds(corners);
        return across ? box[2] - box[0] : box[3] - box[1];
    }

    /** The summary table, the totals and every picture, as a well-formed XHTML page. */
    static String indexHtml(PackingDemo.Run run) {
        StringBuilder html = new StringBuilder();
        String title = "Packing " + run.jobFile.getFileName() + " (" + run.mode.text + ")";
        html.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n");
        html.append("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n<head>\n");
        html.append("<meta charset=\"UTF-8\"/>\n<title>").append(SvgFrame.escape(title)).append("</title>\n");
        html.append("<style>\n"
                + "body { font-family: sans-serif; margin: 2em; color: #263238; }\n"
                + "table { border-collapse: collapse; margin: 1em 0; }\n"
                + "th, td { border: 1px solid #b0bec5; padding: 0.3em 0.8em; }\n"
                + "td.number { text-align: right; font-variant-numeric: tabular-nums; }\n"
                + "tr.overall { font-weight: bold; }\n"
                + "figure { display: inline-block; margin: 1em; vertical-align: top; }\n"
                + "img { max-width: 100%; border: 1px solid #cfd8dc; }\n"
                + "</style>\n</head>\n<body>\n");
        html.append("<h1>").append(SvgFrame.escape(title)).append("</h1>\n");
        html.append(String.format(Locale.ROOT,
                "<p>%d parts, %d off-cut(s) in stock, standard sheet %d &#215; %d, blade %d. Packed in %.2f s onto %d"
                        + " host(s), %d of them standard sheets.</p>\n",
                run.job.parts.size(), run.job.hosts.size(), run.job.sheetLength, run.job.sheetWidth,
                run.job.bladeWidth, run.nanoseconds / 1e9, run.groups.size(), run.standardSheetsUsed()));

        html.append("<table id=\"hosts\">\n<tr><th>#</th><th>host</th><th>parts</th><th>part area m²</th>"
                + "<th>host area m²</th><th>utilization</th></tr>\n");
        for (int i = 0; i < run.groups.size(); i++) {
            PackingDemo.Group g = run.groups.get(i);
            html.append(String.format(Locale.ROOT,
                    "<tr><td class=\"number\">%d</td><td><a href=\"%s\">%s</a></td><td class=\"number\">%d</td>"
                            + "<td class=\"number\">%s</td><td class=\"number\">%s</td><td class=\"number\">%s</td>"
                            + "</tr>\n",
                    i + 1, SvgFrame.escape(run.pictures.get(i).getFileName().toString()), SvgFrame.escape(g.hostLabel()),
                    g.parts.length, PackingDemo.squareMetres(g.partArea), PackingDemo.squareMetres(g.hostArea),
                    SvgFrame.escape(PackingDemo.percent(g.utilization()))));
        }
        long hostArea = run.usedHostArea();
        html.append(String.format(Locale.ROOT,
                "<tr class=\"overall\"><td></td><td>overall</td><td class=\"number\">%d</td><td class=\"number\">%s"
                        + "</td><td class=\"number\">%s</td><td class=\"number\">%s</td></tr>\n</table>\n",
                run.placedPartCount(), PackingDemo.squareMetres(run.placedPartArea()),
                PackingDemo.squareMetres(hostArea),
                SvgFrame.escape(PackingDemo.percent(hostArea == 0 ? 0 : (double) run.placedPartArea() / hostArea))));

        html.append("<table id=\"totals\">\n");
        row(html, "parts placed", run.placedPartCount() + " of " + run.job.parts.size()
                + (run.partMismatches().isEmpty() ? "" : "; not as ordered: " + String.join(", ", run.partMismatches())));
        row(html, "lower bound by area", run.sheetLowerBound() + " standard sheet(s)");
        String[] totalNames = {"part-area", "merged-area", "host-area"};
        String[] totalLabels = {"library total: part area", "library total: merged area", "library total: host area"};
        for (int i = 0; i < 3; i++) {
            html.append("<tr><th>").append(totalLabels[i]).append("</th><td class=\"number\" data-total=\"")
                    .append(totalNames[i]).append("\" data-value=\"").append(run.totals[i]).append("\">")
                    .append(PackingDemo.squareMetres(run.totals[i])).append(" m²</td></tr>\n");
        }
        row(html, "time", String.format(Locale.ROOT, "%.2f s", run.nanoseconds / 1e9));
        html.append("</table>\n<p>Library totals measure parts and hosts grown by half the blade.</p>\n");

        for (Path picture : run.pictures) {
            String name = SvgFrame.escape(picture.getFileName().toString());
            html.append("<figure><img src=\"").append(name).append("\" alt=\"").append(name)
                    .append("\"/><figcaption>").append(name).append("</figcaption></figure>\n");
        }
        html.append("</body>\n</html>\n");
        return html.toString();
    }

    private static void row(StringBuilder html, String header, String value) {
        html.append("<tr><th>").append(SvgFrame.escape(header)).append("</th><td>").append(SvgFrame.escape(value)).append("</td></tr>\n");
    }

    /** {min x, min y, max x, max y} of the corners. */
    private static int[] bounds(List<int[]> corners) {
        int[] box = {Integer.MAX_VALUE, Integer.MAX_VALUE, Integer.MIN_VALUE, Integer.MIN_VALUE};
        for (int[] c : corners) {
            box[0] = Math.min(box[0], c[0]);
            box[1] = Math.min(box[1], c[1]);
            box[2] = Math.max(box[2], c[0]);
            box[3] = Math.max(box[3], c[1]);
        }
        return box;
    }
}
