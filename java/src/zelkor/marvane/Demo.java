package zelkor.marvane;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.List;

/**
 * A small job of the host application: lays out a sample sheet with parts, asks the library where to cut,
 * which cuts may follow a first one and what material is left over, prints the answers and draws them as
 * an SVG picture (default build/demo/cutting-demo.svg, or the path given as the first argument).
 */
public final class Demo {
    /** The sample sheet, 1200 by 600 units. */
    public static final String SHEET = "0,0 1200,0 1200,600 0,600";
    /** Saw blade width, in the same unit. */
    public static final int BLADE_WIDTH = 4;
    /** The parts laid out on the sample sheet, as {name, polygon text} rows. */
    public static final String[][] PARTS = {
        {"shelf A", "0,0 400,0 400,250 0,250"},
        {"shelf B", "404,0 704,0 704,250 404,250"},
        {"corner piece", "0,254 300,254 300,404 150,404 150,554 0,554"},
        {"strip", "304,254 604,254 604,354 304,354"},
        {"door", "800,100 1000,100 1000,400 800,400"},
    };
    /** The cut made first: the cut line along the door's left side. */
    public static final RectilinearSegment FIRST_CUT = new RectilinearSegment(798, 98, 798, 402);
    /** Default place of the picture, relative to the working directory. */
    public static final String DEFAULT_OUTPUT = "build/demo/cutting-demo.svg";

    private Demo() {
    }

    /** Everything the library answered for the sample sheet. */
    public static final class CuttingJob {
        public final RectilinearSegment[] cutLines;
        public final RectilinearSegment firstCut;
        public final RectilinearSegment[] admissibleCuts;
        public final HoledPolygon[] outfall;

        CuttingJob(RectilinearSegment[] cutLines, RectilinearSegment firstCut, RectilinearSegment[] admissibleCuts,
                HoledPolygon[] outfall) {
            this.cutLines = cutLines;
            this.firstCut = firstCut;
            this.admissibleCuts = admissibleCuts;
            this.outfall = outfall;
        }
    }

    /** Asks the library about the sample sheet; the first cut is {@link #FIRST_CUT}. */
    public static CuttingJob runCuttingJob() {
        RectilinearSegment[] cutLines = RectilinearMathInterface.getCutLines(SHEET, PARTS, BLADE_WIDTH);
        RectilinearSegment firstCut = FIRST_CUT;
        String[] uncuttable = new String[PARTS.length];
        for (int i = 0; i < PARTS.length; i++) {
            uncuttable[i] = PARTS[i][1];
        }
        String[] existingCuts = {firstCut.toString()};
        RectilinearSegment[] admissibleCuts = RectilinearMathInterface.getAllCutsThatCanBeAdded(
                uncuttable, new String[] {SHEET}, SHEET, existingCuts, BLADE_WIDTH);
        HoledPolygon[] outfall = RectilinearMathInterface.getOutfallFrom(SHEET, PARTS, BLADE_WIDTH);
        return new CuttingJob(cutLines, firstCut, admissibleCuts, outfall);
    }

    public static void main(String[] args) throws IOException {
        RectilinearSegment[] sheetEdges = {
            new RectilinearSegment(0, 0, 100, 0),
            new RectilinearSegment(0, 50, 100, 50),
        };
        RectilinearSegment[] splitters = {
            new RectilinearSegment(30, 0, 30, 50),
            new RectilinearSegment(70, -10, 70, 60),
        };
        System.out.println("Splitting the sheet edges at the cut lines:");
        for (RectilinearSegment piece : RectilinearMathInterface.splitSegmentsBySegments(sheetEdges, splitters)) {
            System.out.println("  " + piece);
        }

        System.out.println();
        System.out.println("Sheet " + SHEET + ", blade width " + BLADE_WIDTH + ", parts:");
        for (String[] part : PARTS) {
            System.out.println("  " + part[0] + ": " + part[1]);
        }
        CuttingJob job = runCuttingJob();
        System.out.println("Cut lines (" + job.cutLines.length + "):");
        for (RectilinearSegment line : job.cutLines) {
            System.out.println("  " + line);
        }
        System.out.println("First cut: " + job.firstCut);
        System.out.println("Cuts that can be added after it (" + job.admissibleCuts.length + "):");
        for (RectilinearSegment cut : job.admissibleCuts) {
            System.out.println("  " + cut);
        }
        System.out.println("Outfall pieces (" + job.outfall.length + "):");
        for (HoledPolygon piece : job.outfall) {
            System.out.println("  area " + piece.getArea() + ": " + piece);
        }

        Path output = Paths.get(args.length > 0 ? args[0] : DEFAULT_OUTPUT);
        Path parent = output.toAbsolutePath().getParent();
        if (parent != null) {
            Files.createDirectories(parent);
        }
        Files.write(output, toSvg(job).getBytes(StandardCharsets.UTF_8));
        System.out.println("Picture written to " + output);
    }

    /**
     * The sheet, the parts with their names, the outfall pieces, the cut lines, the first cut and the cuts
     * that may follow it. Every shape carries its geometry text in a data attribute. Geometry has y growing
     * upward, the picture downward, so y is mirrored.
     */
    public static String toSvg(CuttingJob job) {
        List<int[]> sheetCorners = HoledPolygon.parseCorners(SHEET);
        int minX = Integer.MAX_VALUE;
        int minY = Integer.MAX_VALUE;
        int maxX = Integer.MIN_VALUE;
        int maxY = Integer.MIN_VALUE;
        for (int[] c : sheetCorners) {
            minX = Math.min(minX, c[0]);
            minY = Math.min(minY, c[1]);
            maxX = Math.max(maxX, c[0]);
            maxY = Math.max(maxY, c[1]);
        }
        int margin = 40;
        SvgFrame frame = new SvgFrame(maxY + margin);
        int width = maxX - minX + 2 * margin;
        int height = maxY - minY + 2 * margin;

        StringBuilder svg = new StringBuilder();
        svg.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"").append(width).append("\" height=\"")
                .append(height).append("\" viewBox=\"").append(minX - margin).append(" 0 ").append(width)
                .append(' ').append(height).append("\">\n");
        svg.append("  <title>Cutting plan: sheet ").append(SvgFrame.escape(SHEET)).append(", blade width ")
                .append(BLADE_WIDTH).append("</title>\n");
        svg.append("  <rect x=\"").append(minX - margin).append("\" y=\"0\" width=\"").append(width)
                .append("\" height=\"").append(height).append("\" fill=\"white\"/>\n");

        svg.append("  <g id=\"sheet\">\n");
        svg.append("    <path class=\"sheet\" d=\"").append(frame.ringPath(sheetCorners))
                .append("\" fill=\"#f3e2c0\" stroke=\"#7a5b2e\" stroke-width=\"2\" data-polygon=\"")
                .append(SvgFrame.escape(SHEET)).append("\"/>\n");
        svg.append("  </g>\n");

        svg.append("  <g id=\"outfall\">\n");
        for (HoledPolygon piece : job.outfall) {
            StringBuilder d = new StringBuilder();
            for (List<int[]> ring : piece.getRings()) {
                d.append(frame.ringPath(ring));
            }
            svg.append("    <path class=\"outfall\" d=\"").append(d.toString().trim())
                    .append("\" fill=\"#9fd39f\" fill-opacity=\"0.6\" fill-rule=\"evenodd\" stroke=\"#2f7d32\""
                            + " stroke-width=\"1\" data-holed-polygon=\"")
                    .append(SvgFrame.escape(piece.toString())).append("\"/>\n");
        }
        svg.append("  </g>\n");

        svg.append("  <g id=\"parts\">\n");
        for (String[] part : PARTS) {
            svg.append("    <path class=\"part\" d=\"").append(frame.ringPath(HoledPolygon.parseCorners(part[1])))
                    .append("\" fill=\"#b0bec5\" stroke=\"#37474f\" stroke-width=\"2\" data-name=\"")
                    .append(SvgFrame.escape(part[0])).append("\" data-polygon=\"").append(SvgFrame.escape(part[1])).append("\"/>\n");
            java.awt.Point label = RectilinearMathInterface.getPolygonLabelPosition(part[1]);
            svg.append("    <text x=\"").append(label.x).append("\" y=\"").append(frame.y(label.y))
                    .append("\" font-family=\"sans-serif\" font-size=\"22\" text-anchor=\"middle\""
                            + " dominant-baseline=\"middle\" fill=\"#263238\">")
                    .append(SvgFrame.escape(part[0])).append("</text>\n");
        }
        svg.append("  </g>\n");

        svg.append("  <g id=\"cut-lines\">\n");
        for (RectilinearSegment line : job.cutLines) {
            svg.append("    ").append(frame.line("cut-line", line, "#d32f2f", 2, null)).append('\n');
        }
        svg.append("  </g>\n");
        svg.append("  <g id=\"admissible-cuts\">\n");
        for (RectilinearSegment cut : job.admissibleCuts) {
            svg.append("    ").append(frame.line("admissible-cut", cut, "#1565c0", 3, "12 6")).append('\n');
        }
        svg.append("  </g>\n");
        svg.append("  <g id=\"first-cut\">\n    ")
                .append(frame.line("first-cut", job.firstCut, "#6a1b9a", 6, null)).append("\n  </g>\n");
        svg.append("  <text x=\"").append(minX).append("\" y=\"").append(height - 12)
                .append("\" font-family=\"sans-serif\" font-size=\"20\">")
                .append("<tspan fill=\"#37474f\">\u25a0 parts</tspan>")
                .append("<tspan fill=\"#2f7d32\" dx=\"20\">\u25a0 outfall</tspan>")
                .append("<tspan fill=\"#d32f2f\" dx=\"20\">\u2014 cut lines</tspan>")
                .append("<tspan fill=\"#6a1b9a\" dx=\"20\">\u2014 first cut</tspan>")
                .append("<tspan fill=\"#1565c0\" dx=\"20\">- - cuts that may follow it</tspan></text>\n");
        svg.append("</svg>\n");
        return svg.toString();
    }
}
