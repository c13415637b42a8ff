package zelkor.marvane;

import java.util.Objects;

/** A directed axis-parallel segment as the application stores it. */
public class RectilinearSegment {
    private final int x1;
    private final int y1;
    private final int x2;
    private final int y2;

    public RectilinearSegment(int x1, int y1, int x2, int y2) {
        this.x1 = x1;
        this.y1 = y1;
        this.x2 = x2;
        this.y2 = y2;
    }

    public int getX1() {
        return x1;
    }

    public int getY1() {
        return y1;
    }

    public int getX2() {
        return x2;
    }

    public int getY2() {
        return y2;
    }

    /** The segment text form read by the native library: "x1,y1 x2,y2". */
    @Override
    public String toString() {
        return x1 + "," + y1 + " " + x2 + "," + y2;
    }

    @Override
    public boolean equals(Object other) {
        if (!(other instanceof RectilinearSegment)) {
            return false;
        }
        RectilinearSegment that = (RectilinearSegment) other;
        return x1 == that.x1 && y1 == that.y1 && x2 == that.x2 && y2 == that.y2;
    }

    @Override
    public int hashCode() {
        return Objects.hash(x1, y1, x2, y2);
    }
}
