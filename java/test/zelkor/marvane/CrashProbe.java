package zelkor.marvane;

/** Child-JVM program: hands the library input that it must refuse, named by the first argument. */
public final class CrashProbe {
    private CrashProbe() {
    }

    public static void main(String[] args) {
        switch (args[0]) {
            case "diagonalSegment":
                RectilinearMathInterface.splitSegmentsBySegments(
                        new RectilinearSegment[] {new RectilinearSegment(0, 0, 5, 5)},
                        new RectilinearSegment[] {new RectilinearSegment(2, -1, 2, 9)});
                break;
            case "diagonalPolygon":
                RectilinearMathInterface.getPolygonLabelPosition("0,0 10,5 10,10");
                break;
            case "selfCrossingPolygon":
                RectilinearMathInterface.getPolygonLabelPosition("0,0 10,0 10,10 5,10 5,-5 0,-5");
                break;
            case "diagonalHostOfCutLines":
                RectilinearMathInterface.getCutLines("0,0 10,5 10,10", new Object[] {"0,0 1,0 1,1 0,1"}, 4);
                break;
            case "diagonalPieceOfCut":
                RectilinearMathInterface.makeCutOnPolygonSet(new String[] {"0,0 10,5 10,10"}, "5,0 5,10", 4);
                break;
            case "diagonalShapeToPosition":
                RectilinearMathInterface.getShapePositionedWithinHost(
                        "0,0 10,5 10,10", "0,0 100,0 100,100 0,100", new Object[0], 0);
                break;
            case "diagonalHoledPolygon":
                RectilinearMathInterface.segmentIntersectsPolygon("1,1 1,9", "0,0 10,0 10,10 0,10|2,2 8,6 2,8");
                break;
            case "diagonalPartToPack":
                new PackHandler().packToFullSheets(new Object[0], new Object[] {"0,0 10,5 10,10"}, 2, 100, 100);
                break;
            default:
                throw new IllegalArgumentException(args[0]);
        }
        System.out.println("RETURNED normally");
    }
}
