package zelkor.marvane;

/**
 * What a cut, or the removal of one, does to a list of pieces: the pieces at {@link #getIndices()}
 * (ascending positions in the list that was passed in) are replaced by {@link #getHoledPolygonTexts()}.
 */
public final class PolygonSetCutResult {
    private final int[] indices;
    private final String[] holedPolygonTexts;

    public PolygonSetCutResult(int[] indices, String[] holedPolygonTexts) {
        this.indices = indices;
        this.holedPolygonTexts = holedPolygonTexts;
    }

    public int[] getIndices() {
        return indices.clone();
    }

    public String[] getHoledPolygonTexts() {
        return holedPolygonTexts.clone();
    }

    public HoledPolygon[] getHoledPolygons() {
        HoledPolygon[] pieces = new HoledPolygon[holedPolygonTexts.length];
        for (int i = 0; i < pieces.length; i++) {
            pieces[i] = new HoledPolygon(holedPolygonTexts[i]);
        }
        return pieces;
    }
}
