package zelkor.marvane;

/** A small job of the host application: asks the library a few questions and prints the answers. */
public final class Demo {
    private Demo() {
    }

    public static void main(String[] args) {
        RectilinearSegment[] sheetEdges = {
            new RectilinearSegment(0, 0, 100, 0),
            new RectilinearSegment(0, 50, 100, 50),
        };
        RectilinearSegment[] cutLines = {
            new RectilinearSegment(30, 0, 30, 50),
            new RectilinearSegment(70, -10, 70, 60),
        };
        System.out.println("Splitting the sheet edges at the cut lines:");
        for (RectilinearSegment piece : RectilinearMathInterface.splitSegmentsBySegments(sheetEdges, cutLines)) {
            System.out.println("  " + piece);
        }
    }
}
