#include "PackingDxf.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>

#include "cutting/CutLines.h"
#include "cutting/CutServices.h"
#include "geometry/Exception.h"
#include "geometry/HoledPolygonSet.h"
#include "geometry/ShapeValidation.h"

namespace Zelkor::Rectilinear::Tools {

namespace {

struct UnitsEntry {
    const char* job;    // as a job states it
    int code;           // $INSUNITS
    const char* words;  // as messages say it
};
constexpr UnitsEntry unitsTable[] = {
    {"", 0, "unitless"},   {"in", 1, "inches"},      {"ft", 2, "feet"},
    {"mm", 4, "millimetres"}, {"cm", 5, "centimetres"}, {"m", 6, "metres"},
};

// AutoCAD colour numbers of the layers.
constexpr int red = 1, yellow = 2, green = 3, blue = 5, white = 7;

DL_Attributes on(const char* layer) {
    return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0);  // colour 256: by layer
}

class DxfWriter {
public:
    DxfWriter(const std::filesystem::path& file, const std::string& units) : path(file) {
        writer.reset(dxf.out(file.string().c_str(), DL_Codes::AC1015));
        if (!writer) throw std::runtime_error("cannot write " + file.string());
        writeHeader(dxfUnitsCode(units));
    }

    void polygon(const Polygon& polygon, const char* layer) {
        const std::vector<Point>& corners = polygon.getPoints();
        dxf.writePolyline(*writer, DL_PolylineData(static_cast<int>(corners.size()), 0, 0, 1), on(layer));
        for (const Point& corner : corners) dxf.writeVertex(*writer, DL_VertexData(corner.x, corner.y, 0, 0));
        dxf.writePolylineEnd(*writer);
    }

    void line(const Segment& segment, const char* layer) {
        const Point& a = segment.getStartPoint();
        const Point& b = segment.getEndPoint();
        dxf.writeLine(*writer, DL_LineData(a.x, a.y, 0, b.x, b.y, 0), on(layer));
    }

    // Centred on (x, y), turned a quarter counterclockwise when upright.
    void text(const std::string& text, double x, double y, double height, bool upright, const char* layer) {
        dxf.writeText(*writer, DL_TextData(x, y, 0, x, y, 0, height, 1, 0, 1, 2, text, "standard", upright ? 90 : 0),
                      on(layer));
    }

    void finish() {
        writer->sectionEnd();
        dxf.writeObjects(*writer);
        dxf.writeObjectsEnd(*writer);
        writer->dxfEOF();
        writer->close();
        if (!std::filesystem::exists(path)) throw std::runtime_error("cannot write " + path.string());
    }

private:
    // The header and the tables a drawing of this version needs, as dxflib's
    // documentation lays them out, then the start of the entities.
    void writeHeader(int unitsCode) {
        dxf.writeHeader(*writer);
        writer->dxfString(9, "$INSUNITS");
        writer->dxfInt(70, unitsCode);
        writer->sectionEnd();
        writer->sectionTables();
        dxf.writeVPort(*writer);
        writer->tableLinetypes(3);
        dxf.writeLinetype(*writer, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
        dxf.writeLinetype(*writer, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
        dxf.writeLinetype(*writer, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
        writer->tableEnd();
        const std::pair<const char*, int> layers[] = {{"0", white},         {hostLayer, yellow}, {partsLayer, blue},
                                                      {partNamesLayer, white}, {cutLinesLayer, red},
                                                      {leftoverLayer, green}};
        writer->tableLayers(static_cast<int>(std::size(layers)));
        for (const auto& [name, colour] : layers) {
            dxf.writeLayer(*writer, DL_LayerData(name, 0), DL_Attributes("", colour, 100, "CONTINUOUS", 1.0));
        }
        writer->tableEnd();
        writer->tableStyle(1);
        dxf.writeStyle(*writer, DL_StyleData("standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        writer->tableEnd();
        dxf.writeView(*writer);
        dxf.writeUcs(*writer);
        writer->tableAppid(1);
        dxf.writeAppid(*writer, "ACAD");
        writer->tableEnd();
        dxf.writeDimStyle(*writer, 1, 1, 1, 1, 1);
        dxf.writeBlockRecord(*writer);
        writer->tableEnd();
        writer->sectionEnd();
        writer->sectionBlocks();
        for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
            dxf.writeBlock(*writer, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
            dxf.writeEndBlock(*writer, block);
        }
        writer->sectionEnd();
        writer->sectionEntities();
    }

    std::filesystem::path path;
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> writer;
};

// Refusals name the file and the entity: "FILE: LWPOLYLINE 3 on layer 'L': reason".
class OutlineCollector final : public DL_CreationAdapter {
public:
    OutlineCollector(std::string newFile, std::string newName) : file(std::move(newFile)), name(std::move(newName)) {}

    // dxflib hands over an entity when the group 0 of the next one arrives;
    // every group passes through here first, so the entities are counted here.
    void processCodeValuePair(unsigned int groupCode, const std::string& value) override {
        if (groupCode == 2 && awaitingSectionName) inEntities = value == "ENTITIES";
        awaitingSectionName = groupCode == 0 && value == "SECTION";
        if (groupCode != 0 || !inEntities) return;
        startsEntity = value != "VERTEX" && value != "SEQEND" && value != "ENDSEC";
        if (!startsEntity) return;
        previousEntity = lastEntity;
        lastEntity = value + " " + std::to_string(++entities);
    }
    void setVariableInt(const std::string& key, int value, int) override {
        if (key == "$INSUNITS") unitsCode = value;
    }

    void addPolyline(const DL_PolylineData& data) override {
        if (skipped()) return;
        polylines.push_back({entity(), (data.flags & 1) != 0, data.flags, {}, std::nullopt});
    }
    void addVertex(const DL_VertexData& data) override {
        if (skipped() || polylines.empty()) return;
        Polyline& polyline = polylines.back();
        if (data.bulge != 0 && !polyline.arc) polyline.arc = data.bulge;
        polyline.corners.push_back({data.x, data.y});
    }

    void addLine(const DL_LineData&) override { refuse("a loose line; outlines must be closed polylines"); }
    void addArc(const DL_ArcData&) override { refuse("an arc; only horizontal and vertical edges are read"); }
    void addCircle(const DL_CircleData&) override { refuse("a circle; only horizontal and vertical edges are read"); }
    void addEllipse(const DL_EllipseData&) override {
        refuse("an ellipse; only horizontal and vertical edges are read");
    }
    void addSpline(const DL_SplineData&) override { refuse("a spline; only horizontal and vertical edges are read"); }
    void addInsert(const DL_InsertData&) override { refuse("a block reference; explode blocks before reading"); }

    DxfOutlines outlines() const {
        DxfOutlines result;
        result.unitsCode = unitsCode;
        for (const Polyline& polyline : polylines) {
            result.outlines.push_back(outline(polyline, name + "-" + std::to_string(result.outlines.size() + 1)));
        }
        return result;
    }

private:
    struct Polyline {
        std::string entity;
        bool closed = false;
        int flags = 0;
        std::vector<std::pair<double, double>> corners;
        std::optional<double> arc;  // the bulge of the first arc segment
    };

    // Entities of block definitions are drawn only through block references,
    // which are refused; paper space holds the sheet's frame, not parts.
    bool skipped() { return !inEntities || getAttributes().isInPaperSpace(); }

    // "LWPOLYLINE 3 on layer 'L'" for the entity being handed over.
    std::string entity() {
        return (startsEntity ? previousEntity : lastEntity) + " on layer '" + getAttributes().getLayer() + "'";
    }

    void refuse(const std::string& reason) {
        if (skipped()) return;
        fail(entity(), reason);
    }

    [[noreturn]] void fail(const std::string& what, const std::string& reason) const {
        throw DxfError(file + ": " + what + ": " + reason);
    }

    Coordinate wholeUnits(double value, const std::string& what) const {
        const double rounded = std::round(value);
        if (std::fabs(value - rounded) > 1e-6) {
            fail(what, "corner coordinate " + numberText(value) + " is not a whole number of units");
        }
        if (!(rounded >= lowestCoordinate && rounded <= highestCoordinate)) {
            fail(what, "corner coordinate " + numberText(value) + " is outside the coordinate range");
        }
        return static_cast<Coordinate>(rounded);
    }

    static std::string numberText(double value) {
        std::ostringstream text;
        text << value;
        return text.str();
    }

    Polygon outline(const Polyline& polyline, std::string outlineName) const {
        const std::string& what = polyline.entity;
        if ((polyline.flags & (8 | 16 | 64)) != 0) fail(what, "a 3D polyline or mesh, not an outline");
        if (!polyline.closed) fail(what, "an open polyline; outlines must be closed");
        if (polyline.arc) fail(what, "has an arc segment (bulge " + numberText(*polyline.arc) + ")");
        std::vector<Point> corners;
        for (const auto& [x, y] : polyline.corners) corners.emplace_back(wholeUnits(x, what), wholeUnits(y, what));
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point& a = corners[i];
            const Point& b = corners[(i + 1) % corners.size()];
            if (a.x != b.x && a.y != b.y) {
                fail(what, "the edge from " + a.toString() + " to " + b.toString() +
                               " is neither horizontal nor vertical");
            }
        }
        Polygon result(corners, std::move(outlineName));
        if (!(result.getArea() > 0.0f)) fail(what, "encloses no area");
        if (const std::optional<std::string> problem = Math::whatIsWrongWith(result)) fail(what, *problem);
        return result;
    }

    std::string file;
    std::string name;
    bool awaitingSectionName = false;
    bool inEntities = false;
    bool startsEntity = false;  // whether the group 0 just read starts an entity
    std::string lastEntity;     // the type and number of the last entity started
    std::string previousEntity; // and of the one before it
    int unitsCode = 0;
    int entities = 0;
    std::vector<Polyline> polylines;
};

}  // namespace

int dxfUnitsCode(const std::string& units) {
    for (const UnitsEntry& entry : unitsTable) {
        if (units == entry.job) return entry.code;
    }
    throw std::invalid_argument("unknown units '" + units + "'");
}

std::string dxfUnitsName(int code) {
    for (const UnitsEntry& entry : unitsTable) {
        if (code == entry.code) return entry.words;
    }
    return "units of DXF code " + std::to_string(code);
}

std::string jobUnitsFor(int code) {
    for (const UnitsEntry& entry : unitsTable) {
        if (code == entry.code) return entry.job;
    }
    throw std::invalid_argument(dxfUnitsName(code) + " cannot be a job's units (mm, cm, m, in or ft)");
}

std::vector<std::string> writeHostDxf(const std::filesystem::path& file, const HostDrawing& drawing, int bladeWidth,
                                      const std::string& units) {
    std::vector<std::string> warnings;
    DxfWriter out(file, units);
    out.polygon(drawing.host, hostLayer);
    const Rectangle box = drawing.host.getBoundingRectangle();
    const double shorterSide = std::min(double(box.getTopRight().x) - box.getBottomLeft().x,
                                        double(box.getTopRight().y) - box.getBottomLeft().y);
    for (const Polygon& part : drawing.parts.getAllPolygons()) {
        out.polygon(part, partsLayer);
        if (part.getName().empty()) continue;
        PartLabel label = fitLabel(part, part.getName(), shorterSide / 400, shorterSide / 25);
        if (!label.shown) {  // too small to read, but the name stays in the drawing
            const Point at = part.getLabelPosition();
            label = {true, double(at.x), double(at.y), shorterSide / 400, false};
        }
        out.text(part.getName(), label.x, label.y, label.size, label.upright, partNamesLayer);
    }
    try {
        for (const Segment& cut : Math::getCutLines(drawing.host, drawing.parts.getAllPolygons(), bladeWidth)) {
            out.line(cut, cutLinesLayer);
        }
    } catch (const Exception& e) {
        std::ostringstream reason;
        reason << "no cut lines written (" << e << ")";
        warnings.push_back(reason.str());
    }
    try {
        const HoledPolygonSet leftover = Math::getOutfallFrom(drawing.host, drawing.parts, bladeWidth);
        for (const HoledPolygon& piece : leftover.getAllPolygons()) {
            out.polygon(piece.getBasePolygon(), leftoverLayer);
            for (const Polygon& hole : piece.getHoles()) out.polygon(hole, leftoverLayer);
        }
    } catch (const Exception& e) {
        std::ostringstream reason;
        reason << "no leftover written (" << e << ")";
        warnings.push_back(reason.str());
    }
    out.finish();
    return warnings;
}

std::vector<std::string> writePackingDxf(const std::filesystem::path& directory, const PackingJob& job,
                                         const Math::PackingResults& results) {
    const std::vector<HostDrawing> drawings = hostDrawings(job, results);
    std::filesystem::create_directories(directory);
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        const bool earlierDrawing = name.rfind("host-", 0) == 0 && entry.path().extension() == ".dxf";
        if (earlierDrawing && entry.is_regular_file()) std::filesystem::remove(entry.path());
    }
    std::vector<std::string> warnings;
    for (const HostDrawing& drawing : drawings) {
        const std::string file = fileStemFor(drawing) + ".dxf";
        for (const std::string& warning : writeHostDxf(directory / file, drawing, job.bladeWidth, job.units)) {
            warnings.push_back(file + ": " + warning);
        }
    }
    return warnings;
}

DxfOutlines readDxfOutlines(const std::filesystem::path& file, const std::string& name) {
    OutlineCollector collector(file.string(), name);
    DL_Dxf dxf;
    if (!dxf.in(file.string(), &collector)) throw DxfError(file.string() + ": cannot be read");
    return collector.outlines();
}

}  // namespace Zelkor::Rectilinear::Tools
