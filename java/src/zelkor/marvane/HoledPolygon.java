package zelkor.marvane;

import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * A polygon with holes as the application stores it: its text "base|hole|hole", each part a list of
 * corners "x,y" separated by single spaces.
 */
public final class HoledPolygon {
    private final String text;

    public HoledPolygon(String text) {
        this.text = text;
    }

    /** The corners of the outer boundary, each as {x, y}. */
    public List<int[]> getBaseCorners() {
        List<List<int[]>> rings = getRings();
        return rings.isEmpty() ? Collections.emptyList() : rings.get(0);
    }

    /** The corners of each hole, each corner as {x, y}. */
    public List<List<int[]>> getHoleCorners() {
        List<List<int[]>> rings = getRings();
        return rings.isEmpty() ? Collections.emptyList() : rings.subList(1, rings.size());
    }

    /** The outer boundary followed by the holes, each a list of corners {x, y}. */
    public List<List<int[]>> getRings() {
        List<List<int[]>> rings = new ArrayList<>();
        if (text.isEmpty()) {
            return rings;
        }
        for (String ring : text.split("\\|")) {
            rings.add(parseCorners(ring));
        }
        return rings;
    }

    /** Corners of a polygon text "x,y x,y ...", each as {x, y}. */
    public static List<int[]> parseCorners(String polygonText) {
        List<int[]> corners = new ArrayList<>();
        for (String corner : polygonText.trim().split(" ")) {
            if (corner.isEmpty()) {
                continue;
            }
            String[] xy = corner.split(",");
            corners.add(new int[] {Integer.parseInt(xy[0].trim()), Integer.parseInt(xy[1].trim())});
        }
        return corners;
    }

    /** Enclosed area: the outer boundary's minus that of each hole. */
    public long getArea() {
        long area = 0;
        List<List<int[]>> rings = getRings();
        for (int i = 0; i < rings.size(); i++) {
            long ringArea = Math.abs(signedDoubleArea(rings.get(i))) / 2;
            area += i == 0 ? ringArea : -ringArea;
        }
        return area;
    }

    private static long signedDoubleArea(List<int[]> corners) {
        long sum = 0;
        for (int i = 0; i < corners.size(); i++) {
            int[] a = corners.get(i);
            int[] b = corners.get((i + 1) % corners.size());
            sum += (long) a[0] * b[1] - (long) b[0] * a[1];
        }
        return sum;
    }

    /** The holed-polygon text read by the native library. */
    @Override
    public String toString() {
        return text;
    }

    @Override
    public boolean equals(Object other) {
        return other instanceof HoledPolygon && text.equals(((HoledPolygon) other).text);
    }

    @Override
    public int hashCode() {
        return text.hashCode();
    }
}
